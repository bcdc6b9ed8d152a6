# Checks shared by the install and package tests: what a desktop's menu needs of an installed
# tree under PREFIX (the folder holding bin/ and share/).

function(require_tool var name)
    find_program(${var} ${name})
    if(NOT ${var})
        message(FATAL_ERROR "${name} is not installed (make test installs it)")
    endif()
endfunction()

function(run_checked)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command} failed (${result}):\n${out}")
    endif()
    message(STATUS "${out}")
    set(out "${out}" PARENT_SCOPE)
endfunction()

# As run_checked, and the command must print nothing.
function(run_quiet)
    run_checked(${ARGN})
    if(out)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command} reported:\n${out}")
    endif()
endfunction()

# An AppStream validation, failing on every remark, even a pedantic one, but this: the id keeps
# the capital of the desktop entry's name, which the window names as its own and the theme icon
# bears, so that renaming it would part the window from its entry.
function(run_validator)
    run_checked(${ARGN})
    string(REGEX MATCHALL "(^|\n)[EWIP]: [^\n]*" remarks "${out}")
    list(FILTER remarks EXCLUDE REGEX "^\n?P: org\\.quillet\\.Lookup(:[0-9]+)?: cid-contains-uppercase-letter ")
    if(remarks)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command} remarked:\n${remarks}")
    endif()
endfunction()

# A PNG's pixel size, from its header.
function(png_size file out_width out_height)
    file(READ "${file}" header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width)
    string(SUBSTRING "${header}" 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    set(${out_width} ${width} PARENT_SCOPE)
    set(${out_height} ${height} PARENT_SCOPE)
endfunction()

function(desktop_key file key out)
    file(STRINGS "${file}" lines REGEX "^${key}=")
    list(LENGTH lines count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "${file}: expected one ${key}= line, found ${count}")
    endif()
    string(REGEX REPLACE "^${key}=" "" value "${lines}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Validates every desktop entry and metainfo file, and follows each entry to the program it
# starts and the icons it names. Sets PROGRAM to the program of the (one) entry.
function(check_desktop_tree prefix)
    require_tool(DESKTOP_FILE_VALIDATE desktop-file-validate)
    require_tool(APPSTREAMCLI appstreamcli)

    file(GLOB entries "${prefix}/share/applications/*.desktop")
    file(GLOB metainfo "${prefix}/share/metainfo/*.xml")
    list(LENGTH entries entry_count)
    list(LENGTH metainfo metainfo_count)
    if(NOT entry_count EQUAL 1 OR NOT metainfo_count EQUAL 1)
        message(FATAL_ERROR "expected one desktop entry and one metainfo file in ${prefix}, "
                            "found ${entry_count} and ${metainfo_count}")
    endif()
    # A hint is a fault too, such as an entry in two main menu categories.
    run_quiet(${DESKTOP_FILE_VALIDATE} ${entries})
    run_validator(${APPSTREAMCLI} validate --pedantic --no-net ${metainfo})
    # Across files: the metainfo's launchable must name the installed desktop entry.
    run_validator(${APPSTREAMCLI} validate-tree --pedantic --no-net "${prefix}")

    desktop_key("${entries}" Exec exec)
    string(REGEX REPLACE " .*" "" exec "${exec}")
    set(program "${prefix}/bin/${exec}")
    if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
        message(FATAL_ERROR "the desktop entry starts ${exec}, which ${prefix}/bin lacks")
    endif()

    # The menu finds the icon by name in the hicolor theme; each size folder must hold a
    # picture of that size, or the desktop scales the wrong one.
    desktop_key("${entries}" Icon icon)
    file(GLOB pngs "${prefix}/share/icons/hicolor/*/apps/${icon}.png")
    if(NOT pngs OR NOT EXISTS "${prefix}/share/icons/hicolor/scalable/apps/${icon}.svg")
        message(FATAL_ERROR "no hicolor PNG and scalable icon named ${icon} under ${prefix}")
    endif()
    foreach(png IN LISTS pngs)
        get_filename_component(apps "${png}" DIRECTORY)
        get_filename_component(size_dir "${apps}" DIRECTORY)
        get_filename_component(size_dir "${size_dir}" NAME)
        png_size("${png}" width height)
        if(NOT size_dir STREQUAL "${width}x${height}")
            message(FATAL_ERROR "${png} is ${width}x${height}, not ${size_dir}")
        endif()
    endforeach()

    set(PROGRAM "${program}" PARENT_SCOPE)
endfunction()
