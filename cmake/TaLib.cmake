# TA-Lib from the C sources unpacked by scripts/setup.sh, built unmodified as
# a static position-independent library with its warnings silenced.
set(TALIB_ROOT "${CMAKE_SOURCE_DIR}/third_party/talib" CACHE PATH "Unpacked TA-Lib sources")
if(NOT EXISTS "${TALIB_ROOT}/src/ta_func/ta_SMA.c")
  message(FATAL_ERROR "TA-Lib sources not found in ${TALIB_ROOT}: run scripts/setup.sh")
endif()
file(GLOB TALIB_SOURCES
  "${TALIB_ROOT}/src/ta_common/*.c"
  "${TALIB_ROOT}/src/ta_func/*.c"
  "${TALIB_ROOT}/src/ta_abstract/*.c"
  "${TALIB_ROOT}/src/ta_abstract/frames/*.c"
  "${TALIB_ROOT}/src/ta_abstract/tables/*.c")
list(FILTER TALIB_SOURCES EXCLUDE REGEX "excel_glue\\.c$")
add_library(talib STATIC ${TALIB_SOURCES})
set_target_properties(talib PROPERTIES POSITION_INDEPENDENT_CODE ON C_STANDARD 99)
target_compile_options(talib PRIVATE -w)
target_include_directories(talib SYSTEM PUBLIC "${TALIB_ROOT}/include")
target_include_directories(talib PRIVATE
  "${TALIB_ROOT}/src/ta_common"
  "${TALIB_ROOT}/src/ta_abstract"
  "${TALIB_ROOT}/src/ta_abstract/frames")
