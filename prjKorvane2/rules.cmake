# The game's state and rules: plain C++ over the toolkit's core, with no windowing, so
# they can be tested without a window.
add_library(korvane_rules STATIC ${CMAKE_CURRENT_LIST_DIR}/modMain.cpp)
target_include_directories(korvane_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(korvane_rules PUBLIC runtime)
