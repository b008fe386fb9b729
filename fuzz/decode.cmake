# The decoder: any bytes as a FLAC file, decoded into a WAV file and into two
# tracks, and read for their tags. flac_fuzz_seeds (not a fuzzer, built on
# request) writes the seed corpus with the test fixture writer:
#   cmake --build build/fuzz --target flac_fuzz_seeds
#   build/fuzz/bin/flac_fuzz_seeds fuzz/corpus
decant_add_fuzzer(flac_decode_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FLACDecodeFuzzer.cpp ${CMAKE_CURRENT_LIST_DIR}/FuzzInputFile.cpp
  LIBRARIES decant_decode)
decant_add_fuzzer(flac_comments_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FLACCommentsFuzzer.cpp ${CMAKE_CURRENT_LIST_DIR}/FuzzInputFile.cpp
  LIBRARIES decant_queue)

add_executable(flac_fuzz_seeds EXCLUDE_FROM_ALL
  ${CMAKE_CURRENT_LIST_DIR}/FLACFuzzSeeds.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/FlacFixture.cpp)
target_include_directories(flac_fuzz_seeds PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(flac_fuzz_seeds PRIVATE Qt6::Core PkgConfig::FLAC)
