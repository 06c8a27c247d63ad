# The resources of a Windows program: a version resource from the project() version, the program's
# icon and, for a program with windows, the manifest asking for common controls 6 and per-monitor
# DPI awareness. The icon is drawn at build time from packaging/'s SVG with rsvg-convert
# (librsvg2-bin) and packed with icotool (icoutils).
#   zelbor_add_windows_resources(target DESCRIPTION "what it is" [WINDOWS])
enable_language(RC)
find_program(ZELBOR_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ZELBOR_ICOTOOL icotool REQUIRED)

set(ZELBOR_WINDOWS_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR}/windows_resources)

# One icon for every program. 256 is stored as PNG, as Windows expects of that size; the others
# as bitmaps, which every icon reader takes.
set(ZELBOR_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows-icon/zelbor.ico)
block()
  set(svg ${PROJECT_SOURCE_DIR}/packaging/io.github.zelbor.PlayerEditor.svg)
  cmake_path(GET ZELBOR_WINDOWS_ICON PARENT_PATH folder)
  set(commands)
  set(bitmaps)
  foreach(size 16 24 32 48 64 256)
    list(APPEND commands COMMAND ${ZELBOR_RSVG_CONVERT} --width ${size} --height ${size}
         --output ${folder}/${size}.png ${svg})
    if(NOT size EQUAL 256)
      list(APPEND bitmaps ${folder}/${size}.png)
    endif()
  endforeach()
  add_custom_command(
    OUTPUT ${ZELBOR_WINDOWS_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    ${commands}
    COMMAND ${ZELBOR_ICOTOOL} --create --output ${ZELBOR_WINDOWS_ICON} ${bitmaps} --raw=${folder}/256.png
    DEPENDS ${svg}
    COMMENT "Drawing the program icon")
  add_custom_target(zelbor_windows_icon DEPENDS ${ZELBOR_WINDOWS_ICON})
endblock()

function(zelbor_add_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WINDOWS" "DESCRIPTION" "")
  if(NOT arg_DESCRIPTION)
    message(FATAL_ERROR "zelbor_add_windows_resources(${target}): DESCRIPTION is required")
  endif()
  set(ZELBOR_RC_DESCRIPTION ${arg_DESCRIPTION})
  set(ZELBOR_RC_NAME ${target})
  set(ZELBOR_RC_FILE_NAME ${target}.exe)
  set(ZELBOR_RC_ICON ${ZELBOR_WINDOWS_ICON})
  set(manifest "")
  set(ZELBOR_RC_MANIFEST_LINE "")
  if(arg_WINDOWS)
    # Resource 1 of type 24: the manifest Windows reads when it starts the program.
    set(manifest ${ZELBOR_WINDOWS_RESOURCES_DIR}/windows.manifest)
    set(ZELBOR_RC_MANIFEST_LINE "1 24 \"${manifest}\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources/${target}.rc)
  configure_file(${ZELBOR_WINDOWS_RESOURCES_DIR}/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the icon and the manifest; the object is rebuilt when either changes.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ZELBOR_WINDOWS_ICON};${manifest}")
  add_dependencies(${target} zelbor_windows_icon)
endfunction()
