# CUE sheets: any bytes through text decoding, libcue's parse and the cut
# into track slices.
decant_add_fuzzer(cue_sheet_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CueSheetFuzzer.cpp
  LIBRARIES decant_queue)
