# Writes OUTPUT, a C++ source that holds the PO catalogue of every language in LANGUAGES (a
# list separated by ";" or ",") from the folder SOURCE, as raw string literals, so that the
# program, the web module and the tests need no file at run time.
# CHECK, the command of the catalogue checker (kymata-po-check), reads each file first: a broken
# catalogue stops the build with its sentence, which names the file and the line.
#   cmake -DSOURCE=dir -DLANGUAGES=el,en -DOUTPUT=file.cpp -DCHECK=checker -P EmbedCatalogues.cmake
string(REPLACE "," ";" languages "${LANGUAGES}")
set(entries "")
foreach(language IN LISTS languages)
    execute_process(COMMAND ${CHECK} "${SOURCE}/${language}.po" RESULT_VARIABLE checked
                    ERROR_VARIABLE fault)
    if(NOT checked EQUAL 0)
        string(STRIP "${fault}" fault)
        message(FATAL_ERROR "${fault}")
    endif()
    file(READ "${SOURCE}/${language}.po" po)
    if(po MATCHES "\\)kymata_po\"")
        message(FATAL_ERROR "${SOURCE}/${language}.po holds the literal's closing mark")
    endif()
    string(APPEND entries "    {\"${language}\", R\"kymata_po(${po})kymata_po\"},\n")
endforeach()
set(text "// Written by the build from data/i18n/*.po; edit those files, not this one.
#include \"texts/embedded_catalogues.h\"

namespace kymata::texts {

std::span<const EmbeddedCatalogue> EmbeddedCatalogues() {
    static constexpr EmbeddedCatalogue catalogues[] = {
${entries}    };
    return catalogues;
}

} // namespace kymata::texts
")
# Rewritten only when it changes, so that a build after an unchanged catalogue compiles nothing.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
    file(WRITE "${OUTPUT}" "${text}")
endif()
