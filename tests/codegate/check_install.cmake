# SPDX-FileCopyrightText: 2026 vestibule developers
# SPDX-License-Identifier: LGPL-2.1-or-later
cmake_minimum_required(VERSION 3.16)

# Installs the program's directory and the catalogues into a private prefix and starts the
# installed program the way a caller would. Only the two directories' own install scripts
# run, so the whole-project install test can run beside this one.
file(REMOVE_RECURSE "${WORK_DIR}")
foreach(dir tools/codegate translations)
    execute_process(COMMAND ${CMAKE_COMMAND} "-DCMAKE_INSTALL_PREFIX=${WORK_DIR}"
        -P "${BUILD_DIR}/${dir}/cmake_install.cmake" RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "installing ${dir} failed (${result})")
    endif()
endforeach()

set(program "${WORK_DIR}/${BINDIR}/codegate")
if(NOT EXISTS "${program}")
    message(FATAL_ERROR "codegate is not installed in ${BINDIR}")
endif()
if(NOT EXISTS "${WORK_DIR}/${TRANSLATIONS_DIR}/codegate_ru.qm")
    message(FATAL_ERROR "codegate_ru.qm is not installed in ${TRANSLATIONS_DIR}")
endif()

execute_process(COMMAND "${program}" --help RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "codegate PIN1LABELTXT or PIN2LABELTXT\n")
    message(FATAL_ERROR "installed codegate --help: status ${result}, output '${out}', error '${err}'")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
