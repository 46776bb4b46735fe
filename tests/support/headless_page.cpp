#include "support/headless_page.h"

#include "framework/framework.h"
#include "platform/headless.h"

bool startHeadlessPage(const char* title) {
    headlessReset();
    CurrentPage = createFramework(title);
    if (!CurrentPage) return false;
    ModeRequest request{};
    request.width = 640;
    request.height = 480;
    request.bitsPerPixel = 8;
    request.pages = 2;
    return setMode(&request, 1, 2, 0) == 1 && *CurrentPage != nullptr;
}
