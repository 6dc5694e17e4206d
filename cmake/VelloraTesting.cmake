find_package(GTest REQUIRED)
include(GoogleTest)

# vellora_add_tests(PREFIX name LIBRARIES lib... SOURCES x_test.cpp...)
# One test executable per source file (PREFIX_x_test), so that a unit's tests build and fail
# on their own.
function(vellora_add_tests)
    cmake_parse_arguments(ARG "" "PREFIX" "LIBRARIES;SOURCES" ${ARGN})
    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(name "${source}" NAME_WE)
        set(target ${ARG_PREFIX}_${name})
        add_executable(${target} "${source}")
        target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} vellora_test_support GTest::gmock_main)
        gtest_discover_tests(${target}
            WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60)
    endforeach()
endfunction()
