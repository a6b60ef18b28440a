tastolino_fuzz_target(cmdline ${CMAKE_CURRENT_LIST_DIR}/fuzz_cmdline.cpp tastolino_app)
