# Builds the Debian package from a build tree into a folder of its own and
# holds it to Debian's policy: any lintian error or warning fails.
#   cmake -DCPACK=... -DLINTIAN=... -DBINARY_DIR=... -P check_package.cmake
set(out ${BINARY_DIR}/lintian-check)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
execute_process(
    COMMAND ${CPACK} -G DEB -B ${out} --config ${BINARY_DIR}/CPackConfig.cmake
    RESULT_VARIABLE built OUTPUT_VARIABLE cpack_output ERROR_VARIABLE cpack_output)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${cpack_output}")
endif()
file(GLOB packages ${out}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${out}, found: ${packages}")
endif()
execute_process(
    COMMAND ${LINTIAN} --fail-on error,warning --tag-display-limit 0 ${packages}
    RESULT_VARIABLE verdict OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(NOT verdict EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings in ${packages}")
endif()
