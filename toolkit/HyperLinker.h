// A hyperlink: a caption in the colour of its state (under the mouse, visited, normal) that
// opens its web address in the default browser when the left button is pressed over it.
#pragma once

#include "toolkit/Control.h"

namespace toolkit {

class HyperLinker : public Control {
  public:
    HyperLinker(Window* window, const ControlDesign& design);

    QString address() const { return design().url; }
    bool isHovered() const { return hovered_; }
    bool isVisited() const { return visited_; }
    // The colour the caption has now.
    ColorRef currentColor() const;

  private:
    friend class HyperLinkWidget;
    void pressed();
    void hoverChanged(bool hovered);

    bool hovered_ = false;
    bool visited_ = false;
};

}  // namespace toolkit
