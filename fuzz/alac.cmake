# The ALAC codec against FFmpeg's: random samples through our encoder and
# both decoders, random bytes through both decoders.
decant_add_fuzzer(alac_differential_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AlacDifferentialFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/tests/library/codec/AlacSignals.cpp
    ${PROJECT_SOURCE_DIR}/tests/library/codec/FfmpegAlac.cpp
  LIBRARIES decant_library_codec PkgConfig::FFMPEG)
target_include_directories(alac_differential_fuzzer PRIVATE ${PROJECT_SOURCE_DIR}/tests/library/codec)
# The seeds in corpus/alac_differential_fuzzer: round trips of a few channel
# counts and depths, packets of our encoder and FFmpeg's (music, and noise
# stored uncompressed) behind the bytes that describe their stream, and the
# inputs on which the decoders once differed (regression_*).
