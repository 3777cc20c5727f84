#include "platform/present.h"

#include <GL/glx.h>

#include <cstring>

namespace {

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

// Looked up once per context: the answer depends on the display's GLX.
struct Lookup {
    GLXContext context = nullptr;
    CopySubBuffer copy = nullptr;
};
Lookup lookup;

bool hasExtension(const char* list, const char* name) {
    const size_t n = std::strlen(name);
    for (const char* p = list; p && (p = std::strstr(p, name)); p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

CopySubBuffer copyFunction() {
    GLXContext context = glXGetCurrentContext();
    if (!context) return nullptr;
    if (context != lookup.context) {
        lookup.context = context;
        lookup.copy = nullptr;
        Display* display = glXGetCurrentDisplay();
        const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
        if (hasExtension(extensions, "GLX_MESA_copy_sub_buffer"))
            lookup.copy = reinterpret_cast<CopySubBuffer>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    }
    return lookup.copy;
}

}  // namespace

bool canShowByCopy() { return copyFunction() != nullptr; }

void showByCopy(int width, int height) {
    if (CopySubBuffer copy = copyFunction()) copy(glXGetCurrentDisplay(), glXGetCurrentDrawable(), 0, 0, width, height);
}
