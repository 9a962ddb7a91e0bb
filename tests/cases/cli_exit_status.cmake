# The real binary: a result exits 0, a failure exits 1 with its message on
# standard error, --help lists the subcommands.
execute_process(COMMAND ${CLI} eval 1+2 RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "3\n")
  message(FATAL_ERROR "eval 1+2: status ${status}, output '${out}'")
endif()
execute_process(COMMAND ${CLI} eval 1/0 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "式子有问题")
  message(FATAL_ERROR "eval 1/0: status ${status}, output '${out}', error '${err}'")
endif()
execute_process(COMMAND ${CLI} --help RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "eval" OR NOT out MATCHES "log")
  message(FATAL_ERROR "--help: status ${status}, output '${out}'")
endif()
execute_process(COMMAND ${CLI} no-such-command RESULT_VARIABLE status)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "unknown subcommand: status ${status}")
endif()
execute_process(COMMAND ${CLI} --version RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "numerelle-cli ${VERSION}\n")
  message(FATAL_ERROR "--version: status ${status}, output '${out}'")
endif()
# A real pipe, not a terminal: eval without a formula reads it a line at a time.
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/cli_exit_status)
file(MAKE_DIRECTORY ${scratch})
file(WRITE ${scratch}/lines "1+2\r\n2^10\n")
execute_process(COMMAND ${CLI} eval INPUT_FILE ${scratch}/lines RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "3\n1024\n")
  message(FATAL_ERROR "eval < lines: status ${status}, output '${out}'")
endif()
# Two lines are not one box's formula (they used to be read as one).
execute_process(COMMAND ${CLI} eval @${scratch}/lines RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "换行")
  message(FATAL_ERROR "eval @two-lines: status ${status}, output '${out}', error '${err}'")
endif()

# Hostile @FILE values, exhausted memory and output that cannot be written:
# a message on standard error and status 1, never an abort or a silent success.
set(work "${CMAKE_CURRENT_BINARY_DIR}/cli_exit_status_files")
file(MAKE_DIRECTORY "${work}/folder")
file(WRITE "${work}/twelve" "12\n")
# Sparse files: one over the cap, one under it but over the memory limit below.
execute_process(COMMAND truncate -s 300M "${work}/huge")
execute_process(COMMAND truncate -s 200M "${work}/large")
# Rows: name | arguments, comma-separated | status | standard error pattern.
set(cases
  "device|fact,@/dev/zero|1|读不出文件：/dev/zero（不是普通文件）"
  "folder|fact,@${work}/folder|1|读不出文件：.*folder（不是普通文件）"
  "missing file|fact,@${work}/none|1|读不出文件：.*none"
  "regular file|fact,@${work}/twelve|0|^$"
  "over the cap|add,@${work}/huge,1|1|读不出文件：.*huge（文件超过")
foreach(row IN LISTS cases)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 name)
  list(GET fields 1 arguments)
  list(GET fields 2 expected)
  list(GET fields 3 pattern)
  string(REPLACE "," ";" arguments "${arguments}")
  execute_process(COMMAND ${CLI} ${arguments} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected OR NOT err MATCHES "${pattern}")
    message(FATAL_ERROR "${name}: status ${status}, error '${err}'")
  endif()
endforeach()
# Reading a value the address space cannot hold.
execute_process(COMMAND sh -c "ulimit -v 150000 && exec \"$0\" add \"@$1\" 1" ${CLI} "${work}/large"
  RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "内存不够")
  message(FATAL_ERROR "out of memory: status ${status}, error '${err}'")
endif()
execute_process(COMMAND ${CLI} fact 5 OUTPUT_FILE /dev/full RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "标准输出")
  message(FATAL_ERROR "write error: status ${status}, error '${err}'")
endif()
