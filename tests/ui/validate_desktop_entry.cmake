# Installs the build tree into a fresh prefix and runs the freedesktop
# validator on the desktop entry installed there.
# Takes -DBUILD_DIR=... -DPREFIX=... -DVALIDATOR=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET ERROR_VARIABLE install_errors)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "install into ${PREFIX} failed: ${install_errors}")
endif()
set(entry "${PREFIX}/share/applications/trivane.desktop")
execute_process(COMMAND "${VALIDATOR}" "${entry}" RESULT_VARIABLE valid
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
file(REMOVE_RECURSE "${PREFIX}")
if(NOT valid EQUAL 0 OR report MATCHES "error")
  message(FATAL_ERROR "${entry} is not a valid desktop entry:\n${report}")
endif()
