// image.cpp - the camera, the grid of (N + 1) x (N + 1) samples and the
// averaging of four samples into one pixel; the core of a ray-tracing run
// without windows or files.
//
// Sample row r, column i looks along F + s_r V + c_i H from the eye, with
// c_i = (i - 0.5) pitch - h and s_r likewise. Pixel j of image row r is the
// mean of samples j and j + 1 of sample rows r - 1 and r, truncated. Rows
// come out bottom first.
//
// The reference walks the rows one after the other with the triangle list.
// The default traces sample rows on all cores with the hierarchy, a bounded
// number of rows ahead, and hands the pixel rows out strictly in order from
// the calling thread, which alone touches windows and files.
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/model.h"
#include "curve/curve.h"
#include "raytrace/hierarchy.h"
#include "raytrace/raytrace.h"
#include "raytrace/reference.h"
#include "raytrace/shading.h"
#include "texture/texture.h"

int raytracereference = 0;
int raytracethreads = 0;

int setupcamera(TraceCamera* cam, int N)
{
    TraceVector E = {(double)sea_xeye, (double)sea_yeye, (double)sea_zeye};
    double D = std::sqrt(E.x * E.x + E.y * E.y + E.z * E.z);
    if (D == 0.0)
        return 0;  // no direction towards the eye
    TraceVector w = {E.x / D, E.y / D, E.z / D};
    double a = N / 550.0;
    cam->E = E;
    cam->h = std::tan(3.141592653589793 / 8) * a;
    cam->pitch = 2 * cam->h / N;
    cam->F = {(D - a) * w.x - E.x, (D - a) * w.y - E.y, (D - a) * w.z - E.z};
    // Neither is normalised: both have the length sqrt(w.x^2 + w.z^2).
    cam->V = {-w.x * w.y, w.x * w.x + w.z * w.z, -w.y * w.z};
    cam->H = {w.z, 0.0, -w.x};
    return 1;
}

static unsigned char tobyte(double c)
{
    double x = 255.0 * c;
    // Channels are at most 1; only colours from a file can leave 0..1.
    if (!(x > -2147483648.0 && x < 2147483648.0))
        return 0;
    return (unsigned char)(int)x;
}

// Traces sample row r, columns 0 .. N.
template <class Scene>
static void samplerow(const Scene& scene, const TraceCamera* cam, int N, int r, unsigned char* red,
                      unsigned char* green, unsigned char* blue)
{
    double s = (r - 0.5) * cam->pitch - cam->h;
    for (int i = 0; i <= N; i++) {
        double c = (i - 0.5) * cam->pitch - cam->h;
        TraceVector d = {cam->F.x + s * cam->V.x + c * cam->H.x, cam->F.y + s * cam->V.y + c * cam->H.y,
                         cam->F.z + s * cam->V.z + c * cam->H.z};
        double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        d.x = d.x / len;
        d.y = d.y / len;
        d.z = d.z / len;
        double colour[3] = {0.0, 0.0, 0.0};
        raytraceon(scene, &cam->E, &d, colour, 0);
        red[i] = tobyte(colour[0]);
        green[i] = tobyte(colour[1]);
        blue[i] = tobyte(colour[2]);
    }
}

static unsigned char* rowvect(int n)
{
    unsigned char* p = (unsigned char*)std::malloc((size_t)n);
    if (p == nullptr) {
        std::printf("malloc error !\n");
        std::fflush(stdout);
        do_exit();
    }
    return p;
}

// The six row buffers: the current and the previous sample row.
struct RowPair {
    unsigned char* cur[3];
    unsigned char* prev[3];
};

// Turns the current sample row into pixels in place; the previous row takes
// the samples.
static void averagerow(RowPair* rows, int N)
{
    for (int k = 0; k < 3; k++) {
        unsigned char* cur = rows->cur[k];
        unsigned char* prev = rows->prev[k];
        for (int j = 0; j < N; j++) {
            unsigned char sample = cur[j];
            cur[j] = (unsigned char)(int)((cur[j] + cur[j + 1] + prev[j] + prev[j + 1]) * 0.25);
            prev[j] = sample;
        }
        prev[N] = cur[N];
    }
}

static void tracelist(const TraceCamera* cam, int N, RowPair* rows, TraceRowOut out, void* user)
{
    ListScene scene;
    samplerow(scene, cam, N, 0, rows->prev[0], rows->prev[1], rows->prev[2]);
    for (int r = 1; r <= N; r++) {
        samplerow(scene, cam, N, r, rows->cur[0], rows->cur[1], rows->cur[2]);
        averagerow(rows, N);
        out(r, rows->cur[0], rows->cur[1], rows->cur[2], user);
    }
}

static void traceparallel(const TraceCamera* cam, int N, RowPair* rows, TraceRowOut out, void* user)
{
    TraceHierarchy scene;
    buildhierarchy(&scene, &cam->E);

    int nthreads = raytracethreads > 0 ? raytracethreads : (int)std::thread::hardware_concurrency();
    if (nthreads < 1)
        nthreads = 1;
    // Sample rows in flight: workers stay at most this far ahead of the output.
    const int K = 4 * nthreads + 4;
    const size_t W = (size_t)N + 1;
    std::vector<unsigned char> slots(K * 3 * W);
    std::vector<int> slotrow(K, -1);
    std::mutex m;
    std::condition_variable cv;
    int next = 0, consumed = 0;

    auto worker = [&]() {
        for (;;) {
            std::unique_lock<std::mutex> lk(m);
            int r = next;
            if (r > N)
                return;
            next++;
            cv.wait(lk, [&] { return r < consumed + K; });
            lk.unlock();
            unsigned char* s = &slots[(size_t)(r % K) * 3 * W];
            samplerow(scene, cam, N, r, s, s + W, s + 2 * W);
            lk.lock();
            slotrow[r % K] = r;
            cv.notify_all();
        }
    };
    std::vector<std::thread> pool;
    for (int i = 0; i < nthreads; i++)
        pool.emplace_back(worker);

    for (int r = 0; r <= N; r++) {
        unsigned char** dst = r == 0 ? rows->prev : rows->cur;
        {
            std::unique_lock<std::mutex> lk(m);
            cv.wait(lk, [&] { return slotrow[r % K] == r; });
            const unsigned char* s = &slots[(size_t)(r % K) * 3 * W];
            for (int k = 0; k < 3; k++)
                std::copy(s + k * W, s + (k + 1) * W, dst[k]);
            consumed = r + 1;
            cv.notify_all();
        }
        if (r > 0) {
            averagerow(rows, N);
            out(r, rows->cur[0], rows->cur[1], rows->cur[2], user);
        }
    }
    for (std::thread& t : pool)
        t.join();
    freehierarchy(&scene);
}

int traceimage(int N, int reference, TraceRowOut out, void* user)
{
    if (ListHead.next == nullptr || N < 1)
        return 0;
    TraceCamera cam;
    if (!setupcamera(&cam, N))
        return 0;

    RowPair rows;
    for (int k = 0; k < 3; k++) {
        rows.cur[k] = rowvect(N + 1);
        rows.prev[k] = rowvect(N + 1);
    }
    HortGridSize = (double)texturemapwidth / CurveSegment;
    VertGridSize = (double)texturemapheight / HelicoSegment;

    if (reference)
        tracelist(&cam, N, &rows, out, user);
    else
        traceparallel(&cam, N, &rows, out, user);

    for (int k = 0; k < 3; k++) {
        std::free(rows.cur[k]);
        std::free(rows.prev[k]);
    }
    return 1;
}
