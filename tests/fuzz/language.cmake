tastolino_fuzz_target(language ${CMAKE_CURRENT_LIST_DIR}/fuzz_language.cpp tastolino_settings)
