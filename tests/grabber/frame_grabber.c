/* Test code: a frame grabber for the Wine tests and benchmarks (LD_PRELOAD into wine).
 *
 * Wine 8 renders GL for child windows off screen, so nothing reaches the X screen; this library
 * catches each GLX present where the frame is made, counts it and can save the back buffer as
 * a PPM.  winex11.drv dlopen()s libGL and looks GLX up with dlsym()/glXGetProcAddressARB(), so
 * we interpose dlsym() and the two glXGetProcAddress* to hand out our wrappers.  Wine presents
 * with glXSwapBuffers (Debian's Wine 8 does so for top-level and child windows, the latter on
 * an offscreen GLX window of their own), with glXSwapBuffersMscOML if GLX_OML_sync_control is
 * offered, or with glXCopySubBufferMESA when it draws a child window into a GLX pixmap: all
 * three count as swaps.  It also notes the swap interval Wine asks for: wglSwapIntervalEXT ends in
 * glXSwapIntervalEXT, glXSwapIntervalMESA or glXSwapIntervalSGI, whichever the screen's GLX
 * extensions name first, and Xvfb's software GL names none, so Wine would ask nothing of GLX.
 * While grabbing, a screen without GLX_EXT_swap_control is said to have it, and the interval asked
 * through it is noted and not passed on (Xvfb has no refresh to wait for anyway).  libGL is never
 * linked: GL is resolved at run time.  Build:
 *   cc -shared -fPIC -O2 -Wall -Wextra -o vorlux_grab.so frame_grabber.c -ldl
 * Environment (read at the first swap):
 *   VORLUX_GRAB_DIR    output directory; unset/empty = pure pass-through
 *   VORLUX_GRAB_EVERY  save swaps N, 2N, ... as frame-%06llu.ppm; 0/unset = count only
 *   VORLUX_GRAB_MAX    save at most this many images (default 1000)
 *   VORLUX_GRAB_FIRST  save nothing for swaps numbered below this (default 1)
 * $DIR/swaps is one fixed-width line, rewritten at every swap:
 *   "count first_ns last_ns width height\n" (CLOCK_MONOTONIC ns, size of the last drawable).
 * $DIR/frame-NNNNNN.ppm (N = the swap's 1-based number) is binary P6, top row first, of the
 * back buffer just before the present; skipped when the swapped drawable is not current.
 * $DIR/frames gets a line "N ns" (CLOCK_MONOTONIC) for each frame saved.
 * $DIR/swap-intervals gets a line "interval function" for each swap interval asked. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

/* The few GL/GLX enums used, so that no GL headers are needed. */
enum {
    GL_FRONT = 0x0404, GL_BACK = 0x0405, GL_READ_BUFFER = 0x0C02, GL_DOUBLEBUFFER = 0x0C32,
    GL_VIEWPORT = 0x0BA2, GL_PACK_ROW_LENGTH = 0x0D02, GL_PACK_SKIP_ROWS = 0x0D03,
    GL_PACK_SKIP_PIXELS = 0x0D04, GL_PACK_ALIGNMENT = 0x0D05, GL_UNSIGNED_BYTE = 0x1401,
    GL_RGB = 0x1907, GL_VERSION = 0x1F02, GL_PIXEL_PACK_BUFFER_BINDING = 0x88ED,
    GL_READ_FRAMEBUFFER_BINDING = 0x8CAA, GLX_WIDTH = 0x801D, GLX_HEIGHT = 0x801E,
};
typedef unsigned long Drawable_; /* GLXDrawable is an XID */
typedef void *(*dlsym_fn)(void *, const char *);
typedef void *(*gpa_fn)(const unsigned char *);

/* The functions we interpose; index order matches the wrappers table below. */
enum {
    F_SWAP, F_SWAP_OML, F_COPY_SUB, F_GPA, F_GPA_ARB, F_INTERVAL_EXT, F_INTERVAL_MESA, F_INTERVAL_SGI,
    F_QUERY_EXTENSIONS, F_COUNT
};
static const char *const hooked_names[F_COUNT] = {
    "glXSwapBuffers", "glXSwapBuffersMscOML", "glXCopySubBufferMESA",
    "glXGetProcAddress", "glXGetProcAddressARB",
    "glXSwapIntervalEXT", "glXSwapIntervalMESA", "glXSwapIntervalSGI",
    "glXQueryExtensionsString",
};
static void *real_fn[F_COUNT];   /* the real functions, filled in as they are first seen */
static dlsym_fn real_dlsym;
static pthread_once_t dlsym_once = PTHREAD_ONCE_INIT;

static void find_real_dlsym(void)
{
    /* dlvsym is not interposed, so this cannot recurse; dlsym moved into libc in 2.34. */
    real_dlsym = (dlsym_fn)dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.34");
    if (!real_dlsym) real_dlsym = (dlsym_fn)dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.2.5");
}

static int hooked_index(const char *name)
{
    if (!name || name[0] != 'g' || name[1] != 'l' || name[2] != 'X') return -1; /* fast path */
    for (int i = 0; i < F_COUNT; i++)
        if (!strcmp(name, hooked_names[i])) return i;
    return -1;
}

static void *wrapper_of(int i);

/* The real function i: as handed to the program, else the next definition after us. */
static void *real_of(int i)
{
    void *p = __atomic_load_n(&real_fn[i], __ATOMIC_ACQUIRE);
    if (!p) {
        pthread_once(&dlsym_once, find_real_dlsym);
        p = real_dlsym(RTLD_NEXT, hooked_names[i]);
        if (p) __atomic_store_n(&real_fn[i], p, __ATOMIC_RELEASE);
    }
    return p;
}

/* Remember `real` as the real function i and give out our wrapper instead (NULL stays NULL). */
static void *hook(int i, void *real)
{
    if (!real) return NULL;
    if (real == wrapper_of(i)) return real; /* a global lookup found our own export */
    void *expected = NULL;
    __atomic_compare_exchange_n(&real_fn[i], &expected, real, 0, __ATOMIC_ACQ_REL,
                                __ATOMIC_ACQUIRE);
    return wrapper_of(i);
}

void *dlsym(void *handle, const char *name)
{
    pthread_once(&dlsym_once, find_real_dlsym);
    int i = hooked_index(name);
    if (i >= 0) return hook(i, real_dlsym(handle, name));
    /* A tail call, so that RTLD_NEXT lookups still see their real caller's address. */
    return real_dlsym(handle, name);
}

static void *gpa_common(int self, const unsigned char *name)
{
    gpa_fn real = (gpa_fn)real_of(self);
    void *p = real ? real(name) : NULL;
    int i = hooked_index((const char *)name);
    return i >= 0 ? hook(i, p) : p;
}
void *glXGetProcAddress(const unsigned char *name) { return gpa_common(F_GPA, name); }
void *glXGetProcAddressARB(const unsigned char *name) { return gpa_common(F_GPA_ARB, name); }

/* ---- grabbing ---- */

static struct {
    pthread_mutex_t lock;
    int ready, active, gl_ok, swaps_fd, said_swap_control;
    unsigned long long every, max, first, count, saved, first_ns, size_ns;
    const void *size_dpy;
    Drawable_ size_drawable;
    int width, height;
    unsigned char *pixels;
    size_t capacity;
    char dir[3072];
    char extensions[8192]; /* a screen's GLX extensions with GLX_EXT_swap_control added */
    /* GL/GLX entry points, resolved once at the first swap (libGL is loaded by then). */
    void *(*GetCurrentContext)(void);
    Drawable_ (*GetCurrentDrawable)(void);
    void (*QueryDrawable)(void *, Drawable_, int, unsigned int *);
    void (*GetIntegerv)(unsigned, int *);
    void (*GetBooleanv)(unsigned, unsigned char *);
    const unsigned char *(*GetString)(unsigned);
    void (*PixelStorei)(unsigned, int);
    void (*ReadBuffer)(unsigned);
    void (*ReadPixels)(int, int, int, int, unsigned, unsigned, void *);
} g = { .lock = PTHREAD_MUTEX_INITIALIZER, .swaps_fd = -1 };

static unsigned long long env_num(const char *name, unsigned long long fallback)
{
    const char *s = getenv(name);
    return s && *s ? strtoull(s, NULL, 10) : fallback;
}

static void *gl_sym(void *libgl, const char *name)
{
    void *p = libgl ? real_dlsym(libgl, name) : NULL;
    if (!p) p = real_dlsym(RTLD_DEFAULT, name);
    gpa_fn gpa = (gpa_fn)real_of(F_GPA_ARB);
    if (!p && gpa) p = gpa((const unsigned char *)name);
    return p;
}

static void setup(void) /* under g.lock, once */
{
    g.ready = 1;
    const char *dir = getenv("VORLUX_GRAB_DIR");
    if (!dir || !*dir || strlen(dir) >= sizeof g.dir - 64) return;
    strcpy(g.dir, dir);
    g.every = env_num("VORLUX_GRAB_EVERY", 0);
    g.max = env_num("VORLUX_GRAB_MAX", 1000);
    g.first = env_num("VORLUX_GRAB_FIRST", 1);
    mkdir(g.dir, 0755);
    char path[sizeof g.dir + 16];
    snprintf(path, sizeof path, "%s/swaps", g.dir);
    g.swaps_fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    g.active = 1;
    pthread_once(&dlsym_once, find_real_dlsym);
    void *libgl = dlopen("libGL.so.1", RTLD_NOW | RTLD_NOLOAD);
#define LOAD(field, name) (g.field = (__typeof__(g.field))gl_sym(libgl, name))
    g.gl_ok = LOAD(GetCurrentContext, "glXGetCurrentContext") &&
              LOAD(GetCurrentDrawable, "glXGetCurrentDrawable") &&
              LOAD(QueryDrawable, "glXQueryDrawable") && LOAD(GetIntegerv, "glGetIntegerv") &&
              LOAD(GetBooleanv, "glGetBooleanv") && LOAD(GetString, "glGetString") &&
              LOAD(PixelStorei, "glPixelStorei") && LOAD(ReadBuffer, "glReadBuffer") &&
              LOAD(ReadPixels, "glReadPixels");
#undef LOAD
}

static int write_all(int fd, const void *data, size_t len)
{
    for (const char *p = data; len;) {
        ssize_t n = write(fd, p, len);
        if (n <= 0) return -1;
        p += n, len -= (size_t)n;
    }
    return 0;
}

/* Read the frame about to be presented and store it as frame-<count>.ppm, noting its time. */
static void save_frame(unsigned long long now)
{
    /* Programs that draw into an FBO or read into a pixel-pack buffer at swap time would
       make glReadBuffer/glReadPixels fail or write elsewhere: skip those frames. */
    const unsigned char *version = g.GetString(GL_VERSION);
    if (!version || version[0] < '1' || version[0] > '9') return; /* not desktop GL */
    int major = version[0] - '0', minor = version[2] - '0', fbo = 0, pbo = 0;
    if (major >= 3) g.GetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &fbo);
    if (major >= 3 || (major == 2 && minor >= 1)) g.GetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &pbo);
    if (fbo || pbo) return;

    size_t row = (size_t)g.width * 3, need = row * ((size_t)g.height + 1); /* +1 row: flip */
    if (need > g.capacity) {
        unsigned char *p = realloc(g.pixels, need);
        if (!p) return;
        g.pixels = p, g.capacity = need;
    }
    static const unsigned pack_names[4] = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH,
                                           GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS};
    int pack[4], read_buffer;
    unsigned char doublebuffer = 0;
    for (int i = 0; i < 4; i++) g.GetIntegerv(pack_names[i], &pack[i]);
    g.GetIntegerv(GL_READ_BUFFER, &read_buffer);
    g.GetBooleanv(GL_DOUBLEBUFFER, &doublebuffer);
    for (int i = 0; i < 4; i++) g.PixelStorei(pack_names[i], i == 0 ? 1 : 0);
    g.ReadBuffer(doublebuffer ? GL_BACK : GL_FRONT);
    g.ReadPixels(0, 0, g.width, g.height, GL_RGB, GL_UNSIGNED_BYTE, g.pixels);
    g.ReadBuffer((unsigned)read_buffer);
    for (int i = 0; i < 4; i++) g.PixelStorei(pack_names[i], pack[i]);

    unsigned char *spare = g.pixels + row * (size_t)g.height; /* GL rows run bottom up */
    for (int y = 0; y < g.height / 2; y++) {
        unsigned char *a = g.pixels + row * (size_t)y;
        unsigned char *b = g.pixels + row * (size_t)(g.height - 1 - y);
        memcpy(spare, a, row), memcpy(a, b, row), memcpy(b, spare, row);
    }
    char final[sizeof g.dir + 32], tmp[sizeof final + 8], header[64];
    snprintf(final, sizeof final, "%s/frame-%06llu.ppm", g.dir, g.count);
    snprintf(tmp, sizeof tmp, "%s.tmp", final); /* renamed into place once complete */
    int fd = open(tmp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    int hlen = snprintf(header, sizeof header, "P6\n%d %d\n255\n", g.width, g.height);
    int bad = write_all(fd, header, (size_t)hlen) ||
              write_all(fd, g.pixels, row * (size_t)g.height);
    if (close(fd) || bad || rename(tmp, final)) {
        unlink(tmp);
        return;
    }
    g.saved++;
    char index[sizeof g.dir + 16], line[64];
    snprintf(index, sizeof index, "%s/frames", g.dir);
    int ifd = open(index, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (ifd < 0) return;
    int n = snprintf(line, sizeof line, "%llu %llu\n", g.count, now);
    if (write_all(ifd, line, (size_t)n)) { /* best effort */ }
    close(ifd);
}

/* Called just before every real present of `drawable`. */
static void before_present(void *dpy, Drawable_ drawable)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    unsigned long long now =
        (unsigned long long)ts.tv_sec * 1000000000ull + (unsigned long long)ts.tv_nsec;
    pthread_mutex_lock(&g.lock);
    if (!g.ready) setup();
    if (!g.active) goto out;
    if (++g.count == 1) g.first_ns = now;
    int want = g.every && g.count % g.every == 0 && g.count >= g.first && g.saved < g.max;
    int current = g.gl_ok && g.GetCurrentContext() && g.GetCurrentDrawable() == drawable;
    /* glXQueryDrawable is an X round trip: ask only for a new drawable, for an image, or
       every 250 ms (to follow resizes), so counting stays cheap in benchmarks. */
    if (g.gl_ok && (want || dpy != g.size_dpy || drawable != g.size_drawable ||
                    now - g.size_ns >= 250000000ull)) {
        unsigned int w = 0, h = 0;
        g.QueryDrawable(dpy, drawable, GLX_WIDTH, &w);
        g.QueryDrawable(dpy, drawable, GLX_HEIGHT, &h);
        if ((!w || !h) && current) { /* e.g. a GLX 1.2 server: fall back to the viewport */
            int vp[4] = {0, 0, 0, 0};
            g.GetIntegerv(GL_VIEWPORT, vp);
            w = (unsigned)vp[2], h = (unsigned)vp[3];
        }
        g.width = (int)w, g.height = (int)h;
        g.size_dpy = dpy, g.size_drawable = drawable, g.size_ns = now;
    }
    if (want && current && g.width > 0 && g.height > 0) save_frame(now);
    if (g.swaps_fd >= 0) {
        char line[96];
        int n = snprintf(line, sizeof line, "%20llu %20llu %20llu %10d %10d\n", g.count,
                         g.first_ns, now, g.width, g.height);
        if (pwrite(g.swaps_fd, line, (size_t)n, 0) != n) { /* best effort */ }
    }
out:
    pthread_mutex_unlock(&g.lock);
}

void glXSwapBuffers(void *dpy, Drawable_ drawable)
{
    void (*real)(void *, Drawable_) = (void (*)(void *, Drawable_))real_of(F_SWAP);
    before_present(dpy, drawable);
    if (real) real(dpy, drawable);
}

int64_t glXSwapBuffersMscOML(void *dpy, Drawable_ drawable, int64_t msc, int64_t div, int64_t rem)
{
    int64_t (*real)(void *, Drawable_, int64_t, int64_t, int64_t) =
        (int64_t (*)(void *, Drawable_, int64_t, int64_t, int64_t))real_of(F_SWAP_OML);
    before_present(dpy, drawable);
    return real ? real(dpy, drawable, msc, div, rem) : -1;
}

void glXCopySubBufferMESA(void *dpy, Drawable_ drawable, int x, int y, int width, int height)
{
    void (*real)(void *, Drawable_, int, int, int, int) =
        (void (*)(void *, Drawable_, int, int, int, int))real_of(F_COPY_SUB);
    before_present(dpy, drawable);
    if (real) real(dpy, drawable, x, y, width, height);
}

static int lists_extension(const char *list, const char *name)
{
    size_t length = strlen(name);
    for (const char *at = list; (at = strstr(at, name)) != NULL; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return 1;
    return 0;
}

const char *glXQueryExtensionsString(void *dpy, int screen)
{
    const char *(*real)(void *, int) = (const char *(*)(void *, int))real_of(F_QUERY_EXTENSIONS);
    const char *list = real ? real(dpy, screen) : NULL;
    pthread_mutex_lock(&g.lock);
    if (!g.ready) setup();
    if (g.active && list && !lists_extension(list, "GLX_EXT_swap_control")) {
        int n = snprintf(g.extensions, sizeof g.extensions, "%s%sGLX_EXT_swap_control", list, *list ? " " : "");
        if (n > 0 && (size_t)n < sizeof g.extensions) {
            g.said_swap_control = 1;
            list = g.extensions;
        }
    }
    pthread_mutex_unlock(&g.lock);
    return list;
}

/* Appends "interval function" to $DIR/swap-intervals. */
static void note_interval(int function, int interval)
{
    pthread_mutex_lock(&g.lock);
    if (!g.ready) setup();
    if (g.active) {
        char path[sizeof g.dir + 32], line[64];
        snprintf(path, sizeof path, "%s/swap-intervals", g.dir);
        int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        int n = snprintf(line, sizeof line, "%d %s\n", interval, hooked_names[function]);
        if (fd >= 0 && write_all(fd, line, (size_t)n)) { /* best effort */ }
        if (fd >= 0) close(fd);
    }
    pthread_mutex_unlock(&g.lock);
}

void glXSwapIntervalEXT(void *dpy, Drawable_ drawable, int interval)
{
    void (*real)(void *, Drawable_, int) = (void (*)(void *, Drawable_, int))real_of(F_INTERVAL_EXT);
    note_interval(F_INTERVAL_EXT, interval);
    if (real && !g.said_swap_control) real(dpy, drawable, interval);
}

int glXSwapIntervalMESA(unsigned int interval)
{
    int (*real)(unsigned int) = (int (*)(unsigned int))real_of(F_INTERVAL_MESA);
    note_interval(F_INTERVAL_MESA, (int)interval);
    return real ? real(interval) : -1;
}

int glXSwapIntervalSGI(int interval)
{
    int (*real)(int) = (int (*)(int))real_of(F_INTERVAL_SGI);
    note_interval(F_INTERVAL_SGI, interval);
    return real ? real(interval) : -1;
}

static void *wrapper_of(int i)
{
    static void *const wrappers[F_COUNT] = {
        (void *)glXSwapBuffers, (void *)glXSwapBuffersMscOML, (void *)glXCopySubBufferMESA,
        (void *)glXGetProcAddress, (void *)glXGetProcAddressARB,
        (void *)glXSwapIntervalEXT, (void *)glXSwapIntervalMESA, (void *)glXSwapIntervalSGI,
        (void *)glXQueryExtensionsString,
    };
    return wrappers[i];
}
