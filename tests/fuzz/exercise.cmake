tastolino_fuzz_target(exercise ${CMAKE_CURRENT_LIST_DIR}/fuzz_exercise.cpp tastolino_app)
