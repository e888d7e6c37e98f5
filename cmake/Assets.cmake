# The fonts the board is drawn with and a General MIDI soundfont, copied into
# the build tree's share/lumina/fonts and share/lumina/soundfonts at build time.
# The program looks there before it looks at the system, so it draws and plays
# the same on a system that has none of these installed. The repository holds
# no such file: they come from the system's packages (scripts/setup.sh installs
# them), or from LUMINA_ASSET_DIR, a folder holding the same files by name (a
# Windows or macOS build, which has no such packages).
#
# Installed only with LUMINA_INSTALL_ASSETS, off on Linux: the Debian package
# depends on the font and soundfont packages instead of carrying copies.
set(LUMINA_ASSET_DIR "" CACHE PATH "Folder holding the shipped fonts and soundfont by name, searched first")
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  option(LUMINA_INSTALL_ASSETS "Install the shipped fonts and soundfont" OFF)
else()
  option(LUMINA_INSTALL_ASSETS "Install the shipped fonts and soundfont" ON)
endif()

set(LUMINA_ASSET_FILES)

# lumina_asset(<fonts|soundfonts> <file name> <folder under /usr/share where Debian keeps it>)
function(lumina_asset kind name systemFolder)
  find_file(LUMINA_ASSET_${name} ${name}
    PATHS ${LUMINA_ASSET_DIR} /usr/share/${systemFolder} /usr/local/share/${systemFolder}
    NO_DEFAULT_PATH)
  set(source ${LUMINA_ASSET_${name}})
  if(NOT source)
    message(WARNING "${name} not found (scripts/setup.sh installs it); the program uses the system's instead")
    return()
  endif()
  set(copy ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_DATADIR}/lumina/${kind}/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${copy}
    DEPENDS ${source}
    COMMENT "Shipped ${kind}: ${name}"
    VERBATIM)
  set(LUMINA_ASSET_FILES ${LUMINA_ASSET_FILES} ${copy} PARENT_SCOPE)
  if(LUMINA_INSTALL_ASSETS)
    install(FILES ${copy} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumina/${kind})
  endif()
endfunction()

# The digit faces, bold as the board draws them and regular (fonts-dseg).
foreach(face IN ITEMS DSEG7Classic DSEG7Modern DSEG7ClassicMini)
  foreach(weight IN ITEMS Regular Bold)
    lumina_asset(fonts ${face}-${weight}.ttf fonts/truetype/dseg)
  endforeach()
endforeach()
# Japanese text (fonts-ipafont-gothic, fonts-ipafont-mincho).
lumina_asset(fonts ipag.ttf fonts/opentype/ipafont-gothic)
lumina_asset(fonts ipagp.ttf fonts/opentype/ipafont-gothic)
lumina_asset(fonts ipam.ttf fonts/opentype/ipafont-mincho)
lumina_asset(fonts ipamp.ttf fonts/opentype/ipafont-mincho)
# The stop-name strip: the 16-dot bitmaps (xfonts-shinonome) and the outline
# face for what they lack (fonts-dotgothic16).
foreach(bitmap IN ITEMS shnmk16 shnmk16b shnmk16min shnmk16minb shnm8x16r shnm8x16rb)
  lumina_asset(fonts ${bitmap}.pcf.gz fonts/X11/misc)
endforeach()
lumina_asset(fonts DotGothic16-Regular.ttf fonts/truetype/dotgothic16)
# A small General MIDI soundfont (timgm6mb-soundfont).
lumina_asset(soundfonts TimGM6mb.sf2 sounds/sf2)

add_custom_target(lumina_assets ALL DEPENDS ${LUMINA_ASSET_FILES})
