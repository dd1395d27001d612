#pragma once

#include "printing/SheetJob.h"
#include "settings/AppError.h"
#include "support/RecordingSurface.h"

// A sheet job that records instead of printing, and can be told to fail
// where a printer can: refusing to start, failing at the next run of text,
// or refusing the finished page.
class RecordingJob : public SheetJob {
public:
    class Surface : public RecordingSurface {
    public:
        void drawText(int x, int y, const QString& text) override {
            if (failNextText)
                throw AppError(QStringLiteral("the printer stopped"));
            RecordingSurface::drawText(x, y, text);
        }
        bool failNextText = false;
    };

    DrawingSurface& start() override {
        if (refuseStart)
            throw AppError(QStringLiteral("the job cannot start"));
        started = true;
        return surface;
    }
    void finish() override {
        if (refuseFinish)
            throw AppError(QStringLiteral("the spooler refused the page"));
        finished = true;
    }

    Surface surface;
    bool refuseStart = false;
    bool refuseFinish = false;
    bool started = false;
    bool finished = false;
};
