# The version every program prints and every package carries comes from project() alone: a
# generated header, reached through the lumaveil_version target as "lumaveil_version.h".
set(LUMAVEIL_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND LUMAVEIL_VERSION_NUMBERS 0)
  else()
    list(APPEND LUMAVEIL_VERSION_NUMBERS ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN LUMAVEIL_VERSION_NUMBERS ", " LUMAVEIL_VERSION_NUMBERS)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${PROJECT_BINARY_DIR}/generated/lumaveil_version.h @ONLY)
add_library(lumaveil_version INTERFACE)
target_include_directories(lumaveil_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
