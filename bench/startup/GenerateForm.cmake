# SPDX-FileCopyrightText: 2026 vestibule developers
# SPDX-License-Identifier: LGPL-2.1-or-later

# Writes the bare program's Designer form to OUTPUT: four group boxes in a grid, each with six
# rows of a label, a line edit, a combo box and a push button, so 100 widgets below the top level.
# Run as: cmake -DOUTPUT=<file.ui> -P GenerateForm.cmake
if(NOT OUTPUT)
    message(FATAL_ERROR "GenerateForm.cmake: set OUTPUT to the .ui file to write")
endif()

set(groups 4)
set(rows 6)

string(APPEND ui "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n")
string(APPEND ui " <class>StartupForm</class>\n <widget class=\"QWidget\" name=\"StartupForm\">\n")
string(APPEND ui "  <layout class=\"QGridLayout\" name=\"formLayout\">\n")
math(EXPR lastGroup "${groups} - 1")
math(EXPR lastRow "${rows} - 1")
foreach(group RANGE ${lastGroup})
    math(EXPR groupRow "${group} / 2")
    math(EXPR groupColumn "${group} % 2")
    string(APPEND ui "   <item row=\"${groupRow}\" column=\"${groupColumn}\">\n")
    string(APPEND ui "    <widget class=\"QGroupBox\" name=\"group${group}\">\n")
    string(APPEND ui "     <property name=\"title\"><string>Section ${group}</string></property>\n")
    string(APPEND ui "     <layout class=\"QGridLayout\" name=\"group${group}Layout\">\n")
    foreach(row RANGE ${lastRow})
        set(id "${group}_${row}")
        string(APPEND ui "      <item row=\"${row}\" column=\"0\"><widget class=\"QLabel\" name=\"label${id}\">"
            "<property name=\"text\"><string>Field ${id}</string></property></widget></item>\n")
        string(APPEND ui "      <item row=\"${row}\" column=\"1\"><widget class=\"QLineEdit\" name=\"edit${id}\">"
            "<property name=\"placeholderText\"><string>Value ${id}</string></property></widget></item>\n")
        string(APPEND ui "      <item row=\"${row}\" column=\"2\"><widget class=\"QComboBox\" name=\"combo${id}\">")
        foreach(choice First Second Third)
            string(APPEND ui "<item><property name=\"text\"><string>${choice}</string></property></item>")
        endforeach()
        string(APPEND ui "</widget></item>\n")
        string(APPEND ui "      <item row=\"${row}\" column=\"3\"><widget class=\"QPushButton\" name=\"button${id}\">"
            "<property name=\"text\"><string>Apply ${id}</string></property></widget></item>\n")
    endforeach()
    string(APPEND ui "     </layout>\n    </widget>\n   </item>\n")
endforeach()
string(APPEND ui "  </layout>\n </widget>\n <resources/>\n <connections/>\n</ui>\n")

# Written only when it changes, so a rebuild does not touch the form's time stamp.
file(WRITE "${OUTPUT}.tmp" "${ui}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${OUTPUT}.tmp")
