tastolino_fuzz_target(settings ${CMAKE_CURRENT_LIST_DIR}/fuzz_settings.cpp tastolino_settings)
