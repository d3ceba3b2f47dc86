#include "fuzz/fuzz_support.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"

namespace plantrek::fuzz {

namespace {

QTemporaryDir* g_scratch = nullptr;

bool Finite(PlanPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void RequireFiniteWall(const Wall& wall) {
    Require(Finite(wall.GetVector()), "a wall vector is not finite");
    Require(std::isfinite(wall.GetLength()) && std::isfinite(wall.GetDirection()),
            "a wall length or direction is not finite");
    Require(std::isfinite(wall.GetArcHeight()), "an arc height is not finite");
}

}  // namespace

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

void StartApplication(int* argc, char*** argv) {
    g_scratch = new QTemporaryDir();
    Require(g_scratch->isValid(), "no scratch folder");
    const QByteArray root = g_scratch->path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("TMPDIR", root);
    QStandardPaths::setTestModeEnabled(true);
    static int count = 1;
    static char* arguments[] = {(*argv)[0], nullptr};
    (void)argc;
    new QCoreApplication(count, arguments);
    QCoreApplication::setOrganizationName("Corvane Software");
    QCoreApplication::setApplicationName("Plantrek");
    std::atexit([] {
        delete QCoreApplication::instance();
        delete g_scratch;
    });
}

QString ScratchFolder() {
    return g_scratch->path();
}

void RequireFiniteSite(const Site& site) {
    Require(Finite(site.GetStartPoint()), "the site's start point is not finite");
    for (const auto& room : site.Rooms()) {
        Require(Finite(room->GetLocation()) && Finite(room->GetStartPoint()),
                "a room's location or start point is not finite");
        room->GetCloseState();
        for (const auto& wall : room->UserWalls()) {
            RequireFiniteWall(*wall);
        }
        for (const auto& wall : room->SystemWalls()) {
            RequireFiniteWall(*wall);
        }
    }
}

}  // namespace plantrek::fuzz

// Every target starts the same way; libFuzzer calls this once before the first input.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    plantrek::fuzz::StartApplication(argc, argv);
    return 0;
}
