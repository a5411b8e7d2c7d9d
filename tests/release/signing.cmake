# Signing. Without a certificate the packages say that they are not signed, and carry no
# signature. With one (a throw-away self-signed certificate made here, its password in a file),
# osslsigncode accepts the signatures of the module, of the installer and of the module inside
# the installer, and the signed module still loads and runs a session.
include(${CASE}/release_support.cmake)

velmora_make_packages("${WORK}/unsigned")
if(NOT package_output MATCHES "NOT SIGNED")
  message(SEND_ERROR "the unsigned packages do not say so:\n${package_output}")
endif()

file(WRITE "${WORK}/password.txt" "throw-away\n")
execute_process(
  COMMAND "${OPENSSL}" req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velmora test"
          -addext extendedKeyUsage=codeSigning -keyout "${WORK}/key.pem"
          -out "${WORK}/certificate.pem"
  COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET ERROR_QUIET)
execute_process(
  COMMAND "${OPENSSL}" pkcs12 -export -inkey "${WORK}/key.pem" -in "${WORK}/certificate.pem"
          -out "${WORK}/certificate.p12" -passout "file:${WORK}/password.txt"
  COMMAND_ERROR_IS_FATAL ANY)
velmora_make_packages("${WORK}/signed" "-DSIGN_PKCS12=${WORK}/certificate.p12"
                      "-DSIGN_PASSWORD_FILE=${WORK}/password.txt")
if(NOT package_output MATCHES "signed with")
  message(SEND_ERROR "the signed packages do not say so:\n${package_output}")
endif()

set(module_name "${MODULE_NAME}.apx")
set(signed_folder "${WORK}/signed/work/stage/Velmora")
execute_process(COMMAND "${MSIEXTRACT}" -C "${WORK}/extracted"
                        "${WORK}/signed/${package_name}.msi" OUTPUT_QUIET)
set(inside "${WORK}/extracted/GRAPHISOFT/ArchiCAD ${HOST_VERSION}/Add-Ons/Velmora/${module_name}")
# Each file, and whether osslsigncode must accept its signature.
set(cases "${WORK}/unsigned/work/stage/Velmora/${module_name}" FALSE
          "${WORK}/unsigned/${package_name}.msi" FALSE
          "${signed_folder}/${module_name}" TRUE
          "${WORK}/signed/${package_name}.msi" TRUE
          "${inside}" TRUE)
while(cases)
  list(POP_FRONT cases file expected)
  execute_process(
    COMMAND "${OSSLSIGNCODE}" verify -CAfile "${WORK}/certificate.pem" -in "${file}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(expected AND NOT status EQUAL 0)
    message(SEND_ERROR "the signature of ${file} is refused:\n${output}")
  elseif(NOT expected AND status EQUAL 0)
    message(SEND_ERROR "${file} is signed")
  endif()
endwhile()

velmora_session("${signed_folder}" "${WORK}/user")
