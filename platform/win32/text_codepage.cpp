#include "platform/text_codepage.h"

#include <windows.h>

namespace platform {

namespace {
UINT WindowsCodePage(CodePage codePage) {
    return codePage == CodePage::Utf8 ? CP_UTF8 : CP_ACP;
}
}  // namespace

int MultiByteToWide(CodePage codePage, const char* in, int inLength, char16_t* out, int outCount) {
    return MultiByteToWideChar(WindowsCodePage(codePage), 0, in, inLength,
                               reinterpret_cast<wchar_t*>(out), outCount);
}

int WideToMultiByte(CodePage codePage, const char16_t* in, int inLength, char* out, int outSize) {
    return WideCharToMultiByte(WindowsCodePage(codePage), 0, reinterpret_cast<const wchar_t*>(in),
                               inLength, out, outSize, nullptr, nullptr);
}

unsigned char LowerAnsiChar(unsigned char c) {
    return static_cast<unsigned char>(
        reinterpret_cast<UINT_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(c)))));
}

unsigned char UpperAnsiChar(unsigned char c) {
    return static_cast<unsigned char>(
        reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(c)))));
}

}  // namespace platform
