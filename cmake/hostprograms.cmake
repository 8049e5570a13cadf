# Programs the build runs to make sources (the ready-made pictures, tables) must run on the
# build machine. In a native build they are this build's own targets; in a cross build they come
# from a native build of the same tree, whose bin/ folder VELDOR_HOST_PROGRAMS names.
if(CMAKE_CROSSCOMPILING)
    set(VELDOR_HOST_PROGRAMS "" CACHE PATH "bin/ folder of a native build, for its generators")
    if(NOT VELDOR_HOST_PROGRAMS)
        message(FATAL_ERROR "A cross build needs -DVELDOR_HOST_PROGRAMS=<native build>/bin")
    endif()
endif()

# Sets `var` to what a custom command runs (and depends on) for the generator `name`.
function(veldor_host_program var name)
    if(CMAKE_CROSSCOMPILING)
        if(NOT EXISTS "${VELDOR_HOST_PROGRAMS}/${name}")
            message(FATAL_ERROR "${VELDOR_HOST_PROGRAMS}/${name} is missing: build it natively")
        endif()
        set(${var} "${VELDOR_HOST_PROGRAMS}/${name}" PARENT_SCOPE)
    else()
        set(${var} ${name} PARENT_SCOPE)
    endif()
endfunction()
