tastolino_fuzz_target(profile ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_profile.cpp tastolino_ini)
