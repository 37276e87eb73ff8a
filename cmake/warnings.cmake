# Compiler warnings and sanitizers come from interface targets that every project target links.
add_library(vistrel_warnings INTERFACE)
if(MSVC)
    target_compile_options(vistrel_warnings INTERFACE /W4 /utf-8 /permissive-)
    if(VISTREL_WERROR)
        target_compile_options(vistrel_warnings INTERFACE /WX)
    endif()
else()
    target_compile_options(vistrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                      -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast)
    if(VISTREL_WERROR)
        target_compile_options(vistrel_warnings INTERFACE -Werror)
    endif()
endif()

add_library(vistrel_sanitizers INTERFACE)
if(VISTREL_SANITIZE)
    target_compile_options(vistrel_sanitizers INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                        -fno-omit-frame-pointer)
    target_link_options(vistrel_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

add_library(vistrel_options INTERFACE)
target_link_libraries(vistrel_options INTERFACE vistrel_warnings vistrel_sanitizers)
if(WIN32)
    # Wide API everywhere; one self-contained executable with no runtime DLLs beside it.
    target_compile_definitions(vistrel_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                         _WIN32_WINNT=0x0601)
    if(MINGW)
        # Release builds ship without symbols, and without the code nothing calls: each function in a section of
        # its own, so that the linker drops what the static C++ library and our own libraries carry unused.
        set(release $<CONFIG:MinSizeRel,Release>)
        target_compile_options(vistrel_options INTERFACE $<${release}:-ffunction-sections -fdata-sections>)
        target_link_options(vistrel_options INTERFACE -static -static-libgcc -static-libstdc++
                                                      $<${release}:-s -Wl,--gc-sections>)
    endif()
endif()
