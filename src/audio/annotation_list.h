#pragma once

// Recorded notes of a room or a site. Filled in by the annotation storage; for now a list that
// copies and clears like the real one.
namespace plantrek {

class AnnotationList {
public:
    void Clear() {}
    int Count() const { return 0; }
};

}  // namespace plantrek
