# cmake --install into a fresh prefix: the programs, their read-only files, the desktop's entry,
# icons and metadata, the manual pages and the package's documents land where the installed
# program, the desktop, man and Debian look for them.
#   cmake -DBUILD=<build folder> -DPREFIX=<empty folder> -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
  games/lumaro games/lumaro-cli
  share/man/man6/lumaro.6.gz share/man/man6/lumaro-cli.6.gz
  share/doc/lumaro2/copyright share/doc/lumaro2/changelog.gz
  share/metainfo/invalid.lumaro2.lumaro2.metainfo.xml
  share/lumaro2/nn1.bin share/lumaro2/nn2.bin share/lumaro2/help.htm share/lumaro2/neural.htm
  share/lumaro2/assets/board-classic.jpg share/lumaro2/assets/splash.jpg
  share/applications/lumaro2.desktop share/mime/packages/lumaro2.xml
  share/icons/hicolor/scalable/apps/lumaro2.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/lumaro2.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# The compressed pages carry no name and no time stamp (the same sources give the same package) and
# are compressed at the highest level: a gzip header of flags 0, time 0, extra flags 2.
foreach(f share/man/man6/lumaro.6.gz share/man/man6/lumaro-cli.6.gz share/doc/lumaro2/changelog.gz)
  file(READ ${PREFIX}/${f} header LIMIT 9 HEX)
  if(NOT header STREQUAL "1f8b08000000000002")
    message(FATAL_ERROR "${f} is not compressed with gzip -n -9: header ${header}")
  endif()
endforeach()
# Every picture and sound the build drew is installed, the icons in the desktop's theme alone; the
# list of drawn files is not.
file(STRINGS ${BUILD}/assets/assets.txt drawn)
foreach(f ${drawn} assets.txt)
  if(f MATCHES "^icon[-.]" OR f STREQUAL "assets.txt")
    if(EXISTS ${PREFIX}/share/lumaro2/assets/${f})
      message(FATAL_ERROR "installed though the game never reads it: ${f}")
    endif()
  elseif(NOT EXISTS ${PREFIX}/share/lumaro2/assets/${f})
    message(FATAL_ERROR "asset not installed: ${f}")
  endif()
endforeach()
# The software centres' release, the changelog's entry and the manual pages carry the project's version.
function(expect_version text part what)
  string(FIND "${text}" "${part}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${what} lacks the version ${VERSION}: no ${part}")
  endif()
endfunction()
file(READ ${PREFIX}/share/metainfo/invalid.lumaro2.lumaro2.metainfo.xml metainfo)
expect_version("${metainfo}" "<release version=\"${VERSION}\"" "the metainfo")
file(STRINGS ${BUILD}/packaging/changelog changelog LIMIT_COUNT 1)
expect_version("${changelog}" "lumaro2 (${VERSION}) " "the changelog")
foreach(page lumaro.6 lumaro-cli.6)
  file(STRINGS ${BUILD}/packaging/${page} header LIMIT_COUNT 1)
  expect_version("${header}" "\"Lumaro 2 ${VERSION}\"" "${page}")
endforeach()
file(READ ${PREFIX}/share/applications/lumaro2.desktop entry)
foreach(line "Exec=/usr/games/lumaro %f" "MimeType=application/x-lumaro2-saved-game;" "Icon=lumaro2" "Categories=Game;BoardGame;" "Type=Application")
  string(FIND "${entry}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the menu entry lacks ${line}")
  endif()
endforeach()
# Saved games are a type of their own, not another program's.
file(READ ${PREFIX}/share/mime/packages/lumaro2.xml mime)
foreach(part "type=\"application/x-lumaro2-saved-game\"" "<glob pattern=\"*.sav\" weight=\"60\"/>" "<comment>Lumaro 2 saved game</comment>")
  string(FIND "${mime}" "${part}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the saved games' type lacks ${part}")
  endif()
endforeach()
# Where the desktop's tool is at hand, it must take the file as it stands.
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  # Beside the desktop's own types, where SPSS data files claim *.sav too.
  set(system_types /usr/share/mime/packages/freedesktop.org.xml)
  if(EXISTS ${system_types})
    file(COPY ${system_types} DESTINATION ${PREFIX}/share/mime/packages)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share XDG_DATA_HOME=${PREFIX}/share
                          ${UPDATE_MIME_DATABASE} ${PREFIX}/share/mime
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE complaints)
  if(failed OR complaints)
    message(FATAL_ERROR "update-mime-database refused share/mime/packages/lumaro2.xml: ${complaints}")
  endif()
  file(READ ${PREFIX}/share/mime/globs2 globs)
  string(FIND "${globs}" "60:application/x-lumaro2-saved-game:*.sav" at)
  if(at LESS 0)
    message(FATAL_ERROR "update-mime-database did not take the *.sav glob at weight 60")
  endif()
  # What a file manager says a saved game is, where GLib's tool is at hand.
  find_program(GIO gio)
  if(GIO AND EXISTS ${system_types})
    file(WRITE ${PREFIX}/game.sav "0123456789012345678901234567890123456789012345678901234567")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share XDG_DATA_HOME=${PREFIX}/share
                            ${GIO} info -a standard::content-type ${PREFIX}/game.sav
                    OUTPUT_VARIABLE info ERROR_QUIET)
    string(FIND "${info}" "standard::content-type: application/x-lumaro2-saved-game" at)
    if(at LESS 0)
      message(FATAL_ERROR "gio takes a saved game for another type: ${info}")
    endif()
  endif()
endif()
# Nothing of the player's is installed.
file(GLOB_RECURSE stray ${PREFIX}/*lm2.ini ${PREFIX}/*chat.txt)
if(stray)
  message(FATAL_ERROR "player's files installed: ${stray}")
endif()
file(REMOVE_RECURSE ${PREFIX})
