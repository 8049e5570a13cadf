# Windows resources of a program: version information from the project's version, a manifest
# (UTF-8 as the ANSI code page; for GUI programs also per-monitor DPI awareness and the common
# controls of version 6) and, with ICON, the program icon made from assets/icon.png.
#
#   veldor_windows_resources(TARGET DESCRIPTION "text" [GUI] [ICON])
function(veldor_windows_resources target)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 1 arg "GUI;ICON" "DESCRIPTION" "")
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
    set(VELDOR_RC_NAME ${target})
    set(VELDOR_RC_DESCRIPTION ${arg_DESCRIPTION})
    set(VELDOR_RC_COPYRIGHT "Copyright (C) 2026 Veldor editor maintainers. GPL-3.0-or-later.")
    set(VELDOR_RC_MANIFEST ${dir}/${target}.manifest)
    set(VELDOR_RC_MANIFEST_DEPENDENCY "")
    set(VELDOR_RC_MANIFEST_SETTINGS "")
    if(arg_GUI)
        # Qt draws at each monitor's own scale; without this Windows would stretch its bitmap.
        string(CONCAT VELDOR_RC_MANIFEST_SETTINGS
               "      <dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
               "true/pm</dpiAware>\n"
               "      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
               "PerMonitorV2</dpiAwareness>")
        string(CONCAT VELDOR_RC_MANIFEST_DEPENDENCY
               "  <dependency>\n    <dependentAssembly>\n"
               "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
               "version=\"6.0.0.0\" processorArchitecture=\"*\" "
               "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
               "    </dependentAssembly>\n  </dependency>")
        set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    endif()
    set(VELDOR_RC_ICON "")
    set(depends ${VELDOR_RC_MANIFEST})
    if(arg_ICON)
        veldor_host_program(icofile veldor-icofile)
        set(ico ${dir}/${target}.ico)
        add_custom_command(
            OUTPUT ${ico}
            COMMAND ${icofile} ${CMAKE_SOURCE_DIR}/assets/icon.png ${ico}
            DEPENDS ${icofile} ${CMAKE_SOURCE_DIR}/assets/icon.png
            COMMENT "Making the Windows icon of ${target}")
        # The first icon in the file is the one Explorer shows for the program.
        set(VELDOR_RC_ICON "1 ICON \"${ico}\"")
        list(APPEND depends ${ico})
    endif()
    configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.manifest.in
                   ${VELDOR_RC_MANIFEST} @ONLY)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${dir}/${target}.rc
                   @ONLY)
    set_source_files_properties(${dir}/${target}.rc PROPERTIES OBJECT_DEPENDS "${depends}")
    target_sources(${target} PRIVATE ${dir}/${target}.rc)
endfunction()
