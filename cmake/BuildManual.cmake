# Converts the manual's HTML source to PDF with LibreOffice. LibreOffice exits
# 0 even when it cannot convert, so the result is checked; a failed conversion
# leaves a warning, not a failed build.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/out)
execute_process(
  COMMAND ${SOFFICE} --headless --norestore -env:UserInstallation=file://${WORK}/profile
          --convert-to pdf:writer_web_pdf_Export --outdir ${WORK}/out ${SOURCE}
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET TIMEOUT 300)
get_filename_component(name ${SOURCE} NAME_WE)
if(EXISTS ${WORK}/out/${name}.pdf)
  file(COPY_FILE ${WORK}/out/${name}.pdf ${OUTPUT})
else()
  message(WARNING "The manual could not be built (LibreOffice result: ${result})")
endif()
