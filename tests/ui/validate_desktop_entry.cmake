# Installs the build tree into a fresh prefix, runs the freedesktop validator
# on the desktop entry installed there, and builds a MIME database from the
# MIME type installed with it, which must give *.trv to the type the entry opens.
# Takes -DBUILD_DIR=... -DPREFIX=... -DVALIDATOR=... -DMIME_DATABASE=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET ERROR_VARIABLE install_errors)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "install into ${PREFIX} failed: ${install_errors}")
endif()
set(entry "${PREFIX}/share/applications/trivane.desktop")
execute_process(COMMAND "${VALIDATOR}" "${entry}" RESULT_VARIABLE valid
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
file(STRINGS "${entry}" mime_line REGEX "^MimeType=")
# Run as if the prefix were on the data path, which it would be once installed.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_DIRS=${PREFIX}/share"
                        "${MIME_DATABASE}" "${PREFIX}/share/mime" RESULT_VARIABLE built
                OUTPUT_VARIABLE mime_report ERROR_VARIABLE mime_report)
set(globs "")
if(EXISTS "${PREFIX}/share/mime/globs2")
  file(READ "${PREFIX}/share/mime/globs2" globs)
endif()
file(REMOVE_RECURSE "${PREFIX}")
if(NOT valid EQUAL 0 OR report MATCHES "error")
  message(FATAL_ERROR "${entry} is not a valid desktop entry:\n${report}")
endif()
if(NOT built EQUAL 0 OR NOT mime_report STREQUAL "" OR NOT globs MATCHES "application/x-trivane:\\*\\.trv"
   OR NOT mime_line MATCHES "^MimeType=application/x-trivane")
  message(FATAL_ERROR "the MIME type of .trv is not installed as the desktop entry opens it:\n${mime_report}")
endif()
