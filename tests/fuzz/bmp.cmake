tastolino_fuzz_target(bmp ${CMAKE_CURRENT_LIST_DIR}/fuzz_bmp.cpp tastolino_pdf)
