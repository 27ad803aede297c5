# Compiler settings shared by every target of the project.

if(KQV_SANITIZE)
    # Applied to everything, third-party code included, so that every translation unit
    # of a test agrees on the instrumented allocator.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    # Windows 7 is the oldest system the viewer names; its APIs are the floor.
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# Our own code builds warning-free; third-party code keeps its own habits.
function(kqv_target_defaults target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Werror -Wshadow -Wold-style-cast -Wcast-align
        -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough -Wformat=2
        $<$<COMPILE_LANGUAGE:CXX>:-Wsuggest-override>)
    target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
