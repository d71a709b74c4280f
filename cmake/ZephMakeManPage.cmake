# Makes one gzipped man page from a program's --help (see ZephManPages.cmake):
#   cmake -DHELP2MAN=help2man -DPROGRAM=path -DSUMMARY=text -DVERSION=x.y.z
#         [-DINCLUDE=file.h2m] [-DDATE_EPOCH=seconds] -DOUTPUT=name.1.gz
#         -P ZephMakeManPage.cmake
# A program whose help lists "Subcommands:" (CLI11's layout) gets a COMMANDS
# section with one subsection per command that takes no further subcommand,
# cut from the page help2man makes of that command's own --help.
cmake_minimum_required(VERSION 3.25)

# The page carries the release's date rather than the build's, so that the
# same sources make the same package.
if(DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} ${DATE_EPOCH})
endif()

get_filename_component(program_name ${PROGRAM} NAME)
get_filename_component(work ${OUTPUT} DIRECTORY)
set(commands_file ${work}/${program_name}.commands.h2m)
set(page ${work}/${program_name}.1)

function(run_help2man words result)
  execute_process(
    COMMAND ${HELP2MAN} --no-info --version-string=${VERSION}
            "--help-option=${words} --help" ${PROGRAM}
    OUTPUT_VARIABLE text
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "help2man could not read ${program_name} ${words} --help")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The names in CLI11's "Subcommands:" block: two spaces, the name, the
# description, up to the first empty line.
function(subcommands_of words result)
  execute_process(COMMAND ${PROGRAM} ${words} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${program_name} ${words} --help failed")
  endif()
  set(names "")
  string(FIND "${help}" "\nSubcommands:\n" at)
  if(at GREATER -1)
    string(SUBSTRING "${help}" ${at} -1 block)
    string(FIND "${block}" "\n\n" end)
    if(end GREATER -1)
      string(SUBSTRING "${block}" 0 ${end} block)
    endif()
    string(REGEX MATCHALL "\n  [A-Za-z0-9][A-Za-z0-9_-]*" lines "${block}")
    foreach(line IN LISTS lines)
      string(STRIP "${line}" name)
      list(APPEND names ${name})
    endforeach()
  endif()
  set(${result} "${names}" PARENT_SCOPE)
endfunction()

# One subsection: the command's synopsis, description, arguments and
# options (no headings: the synopsis tells the arguments from the options),
# without the --help line every command has.
function(append_command_section words)
  string(REPLACE ";" " " spaced "${words}")
  run_help2man("${spaced}" roff)
  string(FIND "${roff}" "\n.SH SYNOPSIS\n" synopsis_at)
  string(FIND "${roff}" "\n.SH DESCRIPTION\n" description_at)
  if(synopsis_at EQUAL -1 OR description_at EQUAL -1)
    message(FATAL_ERROR "help2man's page of ${program_name} ${spaced} has no synopsis")
  endif()
  math(EXPR synopsis_start "${synopsis_at} + 14")
  math(EXPR synopsis_length "${description_at} - ${synopsis_start}")
  math(EXPR body_start "${description_at} + 17")
  string(SUBSTRING "${roff}" ${synopsis_start} ${synopsis_length} synopsis)
  string(SUBSTRING "${roff}" ${body_start} -1 body)
  string(REPLACE ".TP\n\\fB\\-h\\fR,\\-\\-help\nPrint this help message and exit\n" "" body
                 "${body}")
  string(REPLACE ".SH OPTIONS\n" "" body "${body}")
  string(REGEX REPLACE "\\.SS \"[^\"]*\"\n" "" body "${body}")
  string(REPLACE "-" "\\-" heading "${program_name} ${spaced}")
  file(APPEND ${commands_file} ".SS \"${heading}\"\n${synopsis}\n.PP\n${body}")
endfunction()

function(collect_commands words)
  subcommands_of("${words}" subcommands)
  if(words AND NOT subcommands)
    append_command_section("${words}")
  endif()
  foreach(subcommand IN LISTS subcommands)
    set(longer ${words})
    list(APPEND longer ${subcommand})
    collect_commands("${longer}")
  endforeach()
endfunction()

file(WRITE ${commands_file} "[COMMANDS]\n")
collect_commands("")
file(READ ${commands_file} commands)

set(includes "")
if(NOT commands STREQUAL "[COMMANDS]\n")
  list(APPEND includes --include=${commands_file})
endif()
if(INCLUDE)
  list(APPEND includes --include=${INCLUDE})
endif()
execute_process(
  COMMAND ${HELP2MAN} --no-info --version-string=${VERSION} --section=1
          --name=${SUMMARY} ${includes} --output=${page} ${PROGRAM}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man could not make the page of ${program_name}")
endif()
# gzip -n: no name and time stamp in the header, as Debian wants.
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${page}")
endif()
file(REMOVE ${commands_file})
