#pragma once

#include "SkinMarker.h"

// Marks the main window's 32 × 32 icon: a blue square of 40 × 40 with its frame, showing a
// small picture.
class IconMarker : public SkinMarker
{
    Q_OBJECT

public:
    explicit IconMarker(AppContext &context);

protected:
    void buildContents() override;
};
