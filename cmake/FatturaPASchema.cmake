# The official FatturaPA XML schema, fetched from the npm registry by package name when the machine is
# set up, and patched for the invoices Cablora writes. Nothing of it is kept in git, and the build itself
# downloads nothing.
#
#   1. The package @digitalia/fatturapa (version pinned below) carries the Agenzia delle Entrate's
#      schema "Schema del file xml FatturaPA versione 1.2.1" as src/schemas/Schema_1.2.1.xsd.
#      scripts/setup.sh runs this file as a script (cmake -P), which fetches the package once with
#      `npm pack` into a cache folder outside the source tree (CABLORA_SCHEMA_CACHE, by default
#      ~/.cache/cablora) and checks the schema against its SHA-256. Without the npm registry, a package
#      file fetched elsewhere can be given to the configure with
#      -DCABLORA_FATTURAPA_TGZ=/path/to/digitalia-fatturapa-1.3.1.tgz.
#   2. At configure time two documented changes make CABLORA_FATTURAPA_SCHEMA in the build folder:
#      a. the import of the W3C signature schema points at a local stand-in
#         (resources/fatturapa/xmldsig-core-schema.xsd) instead of its web address, so that validation
#         never reaches the network (the program also refuses any other external load);
#      b. the Natura enumeration gains the codes that version 1.2.2 of the schema added (N2.1, N2.2,
#         N3.1-N3.6, N6.1-N6.9): forfettario invoices (RF19) need N2.2 since 2021.
#      Every other byte is the official schema's; tst_invoicechecks checks both changes and that the
#      rest is unchanged.
# The program compiles the patched schema in (resource ":/fatturapa/FatturaPA_1.2.1_N2x.xsd").

set(CABLORA_FATTURAPA_PACKAGE "@digitalia/fatturapa")
set(CABLORA_FATTURAPA_VERSION "1.3.1")
set(CABLORA_FATTURAPA_XSD_SHA256 "5c64ac2fcf1f49079145053917ebf68a1152c63fb5ee4ca2f50f0b1190f451de")

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(cablora_cache_default "$ENV{XDG_CACHE_HOME}/cablora")
elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
  set(cablora_cache_default "$ENV{HOME}/.cache/cablora")
else()
  set(cablora_cache_default "/tmp/cablora-cache")
endif()
if(CMAKE_SCRIPT_MODE_FILE)
  if(NOT CABLORA_SCHEMA_CACHE)
    set(CABLORA_SCHEMA_CACHE "${cablora_cache_default}")
  endif()
  set(cablora_work_root "${CABLORA_SCHEMA_CACHE}")
else()
  set(CABLORA_SCHEMA_CACHE "${cablora_cache_default}" CACHE PATH
      "Folder outside the source tree where the FatturaPA schema fetched from the npm registry is kept")
  set(CABLORA_FATTURAPA_TGZ "" CACHE FILEPATH
      "The npm package file of @digitalia/fatturapa, for a machine without the npm registry")
  set(cablora_work_root "${CMAKE_BINARY_DIR}")
endif()

set(cablora_official_xsd "${CABLORA_SCHEMA_CACHE}/fatturapa-${CABLORA_FATTURAPA_VERSION}/Schema_1.2.1.xsd")

function(cablora_xsd_is_good path result)
  set(${result} FALSE PARENT_SCOPE)
  if(EXISTS "${path}")
    file(SHA256 "${path}" sum)
    if(sum STREQUAL CABLORA_FATTURAPA_XSD_SHA256)
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endif()
endfunction()

cablora_xsd_is_good("${cablora_official_xsd}" cablora_have_xsd)
if(NOT cablora_have_xsd)
  set(work "${cablora_work_root}/fatturapa-fetch")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}")
  set(tgz "${CABLORA_FATTURAPA_TGZ}")
  if(tgz STREQUAL "" AND NOT CMAKE_SCRIPT_MODE_FILE)
    message(FATAL_ERROR
      "Schema FatturaPA mancante in ${CABLORA_SCHEMA_CACHE}: eseguire scripts/setup.sh, che lo scarica dal "
      "registro npm (pacchetto ${CABLORA_FATTURAPA_PACKAGE}@${CABLORA_FATTURAPA_VERSION}), oppure indicare "
      "il pacchetto scaricato altrove con "
      "-DCABLORA_FATTURAPA_TGZ=/percorso/digitalia-fatturapa-${CABLORA_FATTURAPA_VERSION}.tgz")
  endif()
  if(tgz STREQUAL "")
    find_program(CABLORA_NPM npm)
    if(NOT CABLORA_NPM)
      message(FATAL_ERROR "Schema FatturaPA: npm non trovato (pacchetto Debian npm).")
    endif()
    message(STATUS "Schema FatturaPA: npm pack ${CABLORA_FATTURAPA_PACKAGE}@${CABLORA_FATTURAPA_VERSION}")
    execute_process(COMMAND "${CABLORA_NPM}" pack "${CABLORA_FATTURAPA_PACKAGE}@${CABLORA_FATTURAPA_VERSION}"
                            --silent
                    WORKING_DIRECTORY "${work}"
                    RESULT_VARIABLE npm_result OUTPUT_VARIABLE npm_output ERROR_VARIABLE npm_error
                    TIMEOUT 180)
    file(GLOB tgz "${work}/*.tgz")
    if(NOT npm_result EQUAL 0 OR NOT tgz)
      message(FATAL_ERROR
        "Schema FatturaPA: impossibile scaricare ${CABLORA_FATTURAPA_PACKAGE}@${CABLORA_FATTURAPA_VERSION} "
        "dal registro npm (nessuna connessione?).\n${npm_error}\n"
        "Il programma convalida ogni fattura elettronica con lo schema ufficiale e non si compila senza. "
        "Ripetere scripts/setup.sh con il registro npm raggiungibile (lo schema resta poi in "
        "${CABLORA_SCHEMA_CACHE}), oppure configurare con "
        "-DCABLORA_FATTURAPA_TGZ=/percorso/digitalia-fatturapa-${CABLORA_FATTURAPA_VERSION}.tgz")
    endif()
  endif()
  file(ARCHIVE_EXTRACT INPUT "${tgz}" DESTINATION "${work}/extracted"
       PATTERNS "package/src/schemas/Schema_1.2.1.xsd")
  cablora_xsd_is_good("${work}/extracted/package/src/schemas/Schema_1.2.1.xsd" cablora_have_xsd)
  if(NOT cablora_have_xsd)
    message(FATAL_ERROR
      "Schema FatturaPA: il pacchetto ${tgz} non contiene lo Schema_1.2.1.xsd atteso "
      "(SHA-256 ${CABLORA_FATTURAPA_XSD_SHA256}).")
  endif()
  file(MAKE_DIRECTORY "${CABLORA_SCHEMA_CACHE}/fatturapa-${CABLORA_FATTURAPA_VERSION}")
  file(COPY_FILE "${work}/extracted/package/src/schemas/Schema_1.2.1.xsd" "${cablora_official_xsd}")
  file(REMOVE_RECURSE "${work}")
endif()
if(CMAKE_SCRIPT_MODE_FILE)
  return()  # setup: fetched, nothing to configure
endif()

# The patch (see the top of this file).
file(READ "${cablora_official_xsd}" xsd)
set(signature_web "schemaLocation=\"http://www.w3.org/TR/2002/REC-xmldsig-core-20020212/xmldsig-core-schema.xsd\"")
string(FIND "${xsd}" "${signature_web}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "Schema FatturaPA: l'import dello schema della firma non è dove atteso.")
endif()
string(REPLACE "${signature_web}" "schemaLocation=\"xmldsig-core-schema.xsd\"" xsd "${xsd}")

set(natura_codes N2.1 N2.2 N3.1 N3.2 N3.3 N3.4 N3.5 N3.6 N6.1 N6.2 N6.3 N6.4 N6.5 N6.6 N6.7 N6.8 N6.9)
set(natura_added "\n      <!-- Cablora: codici aggiunti dalla versione 1.2.2 dello schema -->")
foreach(code ${natura_codes})
  string(APPEND natura_added "\n      <xs:enumeration value=\"${code}\" />")
endforeach()
set(natura_open "<xs:simpleType name=\"NaturaType\">\n    <xs:restriction base=\"xs:string\">")
string(FIND "${xsd}" "${natura_open}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "Schema FatturaPA: il tipo NaturaType non è dove atteso.")
endif()
string(REPLACE "${natura_open}" "${natura_open}${natura_added}" xsd "${xsd}")

set(CABLORA_FATTURAPA_FOLDER "${CMAKE_BINARY_DIR}/fatturapa")
set(CABLORA_FATTURAPA_SCHEMA "${CABLORA_FATTURAPA_FOLDER}/FatturaPA_1.2.1_N2x.xsd")
set(CABLORA_FATTURAPA_OFFICIAL "${cablora_official_xsd}")
# Written only when it changed, so a new configure does not rebuild the libraries.
file(WRITE "${CABLORA_FATTURAPA_SCHEMA}.new" "${xsd}")
file(COPY_FILE "${CABLORA_FATTURAPA_SCHEMA}.new" "${CABLORA_FATTURAPA_SCHEMA}" ONLY_IF_DIFFERENT)
file(REMOVE "${CABLORA_FATTURAPA_SCHEMA}.new")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${cablora_official_xsd}")
