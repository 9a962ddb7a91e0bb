# The layers depend one way: app -> pages -> widgets -> the core parts, and
# the command line on the core alone. Fails naming every include that
# points back up. Run with -DSOURCE=<source tree>.
set(problems "")
function(forbid folder pattern allowed)
  file(GLOB_RECURSE files "${SOURCE}/${folder}/*.h" "${SOURCE}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${pattern})/")
    foreach(line IN LISTS lines)
      if(allowed AND line MATCHES "\"${allowed}\"")
        continue()
      endif()
      file(RELATIVE_PATH name "${SOURCE}" "${file}")
      string(APPEND problems "${name}: ${line}\n")
    endforeach()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

forbid(widgets "app|pages|cli" "")
forbid(pages "app|cli" "")
# The window shell sees the page layer through its one header.
forbid(app "pages" "pages/pages\\.h")
forbid(cli "app|pages|widgets" "")
foreach(part common expr bignum matrix numtools calculus)
  forbid(${part} "app|pages|widgets|cli" "")
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the layering:\n${problems}")
endif()
