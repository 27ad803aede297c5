# Test helpers. Windows test programs run under Wine through a wrapper that owns the
# test prefix; host test programs run natively under the sanitizers.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND WIN32)
    set(KQV_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine/prefix")
    configure_file(cmake/wine-run.in "${CMAKE_BINARY_DIR}/wine/run" @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(KQV_TEST_EMULATOR "${CMAKE_BINARY_DIR}/wine/run")
endif()

# kqv_add_gtest(name SOURCES file... LIBRARIES lib... [DISPLAY])
# One test program; every test case in it becomes a test of its own. DISPLAY: its tests
# open windows on the test prefix's one display, so no two such tests run at once.
function(kqv_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "DISPLAY" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${arg_SOURCES})
    kqv_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
    if(KQV_TEST_EMULATOR)
        set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${KQV_TEST_EMULATOR}")
    endif()
    if(KQV_SANITIZE)
        target_sources(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/SanitizerOptions.cpp")
    endif()
    if(arg_DISPLAY)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES RESOURCE_LOCK kqv_display)
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120)
    endif()
endfunction()
