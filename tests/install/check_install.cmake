# SPDX-FileCopyrightText: 2026 vestibule developers
# SPDX-License-Identifier: LGPL-2.1-or-later
cmake_minimum_required(VERSION 3.16)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Failed (${result}): ${ARGN}\n${out}\n${err}")
    endif()
    message(STATUS "${out}")
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")

set(sanitize_flags "")
if(SANITIZE)
    set(sanitize_flags "-fsanitize=address,undefined")
endif()

# find_package
run(${CMAKE_COMMAND} -S "${HOST_SOURCE_DIR}" -B "${WORK_DIR}/cmake-build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
    "-DCMAKE_CXX_FLAGS=${sanitize_flags}" "-DCMAKE_EXE_LINKER_FLAGS=${sanitize_flags}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/cmake-build")
run("${WORK_DIR}/cmake-build/tiny_host")

# The installed default theme through the installed plug-in gives a complete screen.
file(GLOB_RECURSE plugin_files "${prefix}/*/vestibule_standard-theme.so")
if(NOT plugin_files)
    message(FATAL_ERROR "the standard theme plug-in was not installed")
endif()
file(GLOB_RECURSE generic_plugin_files "${prefix}/*/vestibule_generic-theme.so")
if(NOT generic_plugin_files)
    message(FATAL_ERROR "the generic theme plug-in was not installed beside the standard one")
endif()
foreach(expected "share/nimb-dm/themes/modern/RezGreeterTheme.desktop" "share/nimb-dm/themes/modern-generic/settings.yaml"
        "share/nimb/translations/vestibule_modern_noload_ru.qm")
    if(NOT EXISTS "${prefix}/${expected}")
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()
run("${WORK_DIR}/cmake-build/tiny_host" "${prefix}/share/nimb-dm/themes/modern" "${plugin_files}")
run("${WORK_DIR}/cmake-build/tiny_host" "${prefix}/share/nimb-dm/themes/modern-generic" "${generic_plugin_files}")

# pkg-config
file(GLOB_RECURSE pc_files "${prefix}/*/vestibule_common.pc")
list(LENGTH pc_files pc_count)
if(NOT pc_count EQUAL 1)
    message(FATAL_ERROR "expected one installed vestibule_common.pc, found: ${pc_files}")
endif()
get_filename_component(pc_dir "${pc_files}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND pkg-config --cflags --libs vestibule_common
    RESULT_VARIABLE result OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know vestibule_common")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
get_filename_component(lib_dir "${pc_dir}" DIRECTORY)
run("${CXX_COMPILER}" -std=c++17 -fPIC ${sanitize_flags} "${HOST_SOURCE_DIR}/main.cpp" ${flags}
    "-Wl,-rpath,${lib_dir}" -o "${WORK_DIR}/tiny_host_pc")
run("${WORK_DIR}/tiny_host_pc")

file(REMOVE_RECURSE "${WORK_DIR}")
