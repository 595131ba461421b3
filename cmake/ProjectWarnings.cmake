# Warnings for the project's own targets (third-party headers come in as system headers).
function(ta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter -Wno-missing-field-initializers)
  if(TA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
