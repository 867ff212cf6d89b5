# Native builds run with AddressSanitizer and UndefinedBehaviorSanitizer; any
# report stops the test.
option(QM_SANITIZE "Build native targets with ASan and UBSan" ON)
function(qm_sanitize target)
    if(QM_SANITIZE AND NOT MSVC)
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
