tastolino_fuzz_target(records ${CMAKE_CURRENT_LIST_DIR}/fuzz_records.cpp tastolino_game)
