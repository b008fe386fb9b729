# The album readers: any bytes as a response body through the page cutting
# and the JSON walk, as server data straight into the walk, and as an answer
# of the store's lookup service.
decant_add_fuzzer(store_page_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StorePageFuzzer.cpp
  LIBRARIES decant_store)
