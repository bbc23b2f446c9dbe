# Installs only the pictures and the read-me into a scratch prefix and checks
# that each lands where the installed game looks for it, unchanged.

file(REMOVE_RECURSE ${PREFIX})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component thornvale_assets
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

include(${PICTURES})
set(files Thornvale_Readme.pdf ${THORNVALE_PICTURE_FILES})

foreach(f IN LISTS files)
  set(installed ${PREFIX}/${INSTALL_DIR}/${f})
  if(NOT EXISTS ${installed})
    message(FATAL_ERROR "not installed: ${INSTALL_DIR}/${f}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${installed} ${GAME_DIR}/${f}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "installed ${f} differs from the build's")
  endif()
endforeach()

file(GLOB_RECURSE all RELATIVE ${PREFIX}/${INSTALL_DIR} ${PREFIX}/${INSTALL_DIR}/*)
list(LENGTH all count)
list(LENGTH files expected)
if(NOT count EQUAL expected)
  message(FATAL_ERROR "installed ${count} files, expected ${expected}: ${all}")
endif()
file(REMOVE_RECURSE ${PREFIX})
