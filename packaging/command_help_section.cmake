# Writes a help2man include file with a COMMANDS section: each command's own --help, as printed.
#   cmake -DPROGRAM=zelbor-db -DOUTPUT=file.h2m -P command_help_section.cmake

function(program_help output_variable)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed: ${status}")
  endif()
  set(${output_variable} "${help}" PARENT_SCOPE)
endfunction()

# The command names are the first words of the lines under "Subcommands:".
program_help(help)
string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${help}")
string(REGEX MATCHALL "(^|\n)  [a-z-]+" names "${listing}")

set(section "[COMMANDS]\n")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  program_help(command_help ${name})
  # Shown as printed: backslashes and line-leading control characters are escaped for roff.
  string(REPLACE "\\" "\\e" command_help "${command_help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" command_help "${command_help}")
  string(APPEND section ".SS \"zelbor-db ${name}\"\n.nf\n${command_help}.fi\n")
endforeach()
file(WRITE ${OUTPUT} "${section}")
