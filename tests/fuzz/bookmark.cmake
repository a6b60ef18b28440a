tastolino_fuzz_target(bookmark ${CMAKE_CURRENT_LIST_DIR}/fuzz_bookmark.cpp tastolino_app)
