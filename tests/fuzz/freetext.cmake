tastolino_fuzz_target(freetext ${CMAKE_CURRENT_LIST_DIR}/fuzz_freetext.cpp tastolino_app)
