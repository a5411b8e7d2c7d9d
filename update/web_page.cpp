#include "update/web_page.h"

#include "platform/shell_open.h"
#include "update/web_link.h"

bool OpenWebPage(const NX_String& address) {
    return IsWebAddress(address.GetText()) && platform::OpenInShell(address.GetText());
}
