# The optimised builds (Release, RelWithDebInfo: the package's among them) compile and link with the
# hardening Debian builds its own packages with: stack protector, fortified string and memory calls,
# format checks, a read-only relocation table bound at start. dpkg-buildflags says which flags those
# are on this system (all of its hardening features unless DEB_BUILD_MAINT_OPTIONS says otherwise);
# without it, the same flags by hand. Its -O and -g are left to the build type, and its file prefix
# map names the folder it was asked in: ours below names the source folder instead.

if(LUMARO_FUZZ OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$")
  return()
endif()

# The source and build folders get fixed names in what these builds compile (the debugging
# information, and with it the programs' build ids), so that the same sources give the same
# programs wherever they are built, whichever clone's objects ccache hands back.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=./build)

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
set(hardening_compile)
set(hardening_link)
if(DPKG_BUILDFLAGS)
  if(DEFINED ENV{DEB_BUILD_MAINT_OPTIONS})
    set(maint_options "$ENV{DEB_BUILD_MAINT_OPTIONS}")
  else()
    set(maint_options "hardening=+all")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=${maint_options}
                            ${DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-O|^-g|^-ffile-prefix-map=|^-fdebug-prefix-map=")
    if(kind STREQUAL "LDFLAGS")
      list(APPEND hardening_link ${flags})
    else()
      list(APPEND hardening_compile ${flags})
    endif()
  endforeach()
else()
  set(hardening_compile -Wdate-time -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security)
  set(hardening_link -Wl,-z,relro -Wl,-z,now)
endif()
list(REMOVE_DUPLICATES hardening_compile)
string(JOIN " " shown ${hardening_compile} ${hardening_link})
message(STATUS "Hardening: ${shown}")
add_compile_options(${hardening_compile})
add_link_options(${hardening_link})
