# The album page reader: any bytes as a response body through the page
# cutting and the JSON walk, and as server data straight into the walk.
decant_add_fuzzer(store_page_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StorePageFuzzer.cpp
  LIBRARIES decant_store)
