#include "audio/annotation_list.h"

#include <utility>

#include "audio/audio_activity.h"

namespace plantrek {

const Annotation* AnnotationList::At(int position) const {
    if (position < 0 || position >= Count()) {
        return nullptr;
    }
    return &annotations_[static_cast<size_t>(position)];
}

Annotation* AnnotationList::At(int position) {
    return const_cast<Annotation*>(std::as_const(*this).At(position));
}

bool AnnotationList::SetCurrentIndex(int position) {
    if (At(position) == nullptr) {
        return false;
    }
    current_ = position;
    return true;
}

int AnnotationList::InsertAt(const Annotation& annotation, int position) {
    if (position < 0 || position > Count()) {
        position = Count();
    }
    annotations_.insert(annotations_.begin() + position, annotation);
    return position;
}

bool AnnotationList::Delete(int position) {
    if (At(position) == nullptr) {
        return false;
    }
    AudioActivity::StopPlayback();
    annotations_.erase(annotations_.begin() + position);
    if (current_ >= Count()) {
        current_ = qMax(0, Count() - 1);
    }
    return true;
}

QString AnnotationList::GetName(int position) const {
    const Annotation* annotation = At(position) != nullptr ? At(position) : Current();
    return annotation != nullptr ? annotation->Name() : QString();
}

bool AnnotationList::Rename(int position, const QString& name) {
    Annotation* annotation = At(position) != nullptr ? At(position) : At(current_);
    if (annotation == nullptr) {
        return false;
    }
    annotation->SetName(name);
    return true;
}

bool AnnotationList::CueNext() {
    if (current_ + 1 >= Count() || AudioActivity::IsPlaying()) {
        return false;
    }
    ++current_;
    return true;
}

bool AnnotationList::CuePrevious() {
    if (current_ < 1 || AudioActivity::IsPlaying()) {
        return false;
    }
    --current_;
    return true;
}

bool AnnotationList::AddFromText(QStringView audioText, const QString& name, int position) {
    Annotation annotation;
    const bool stored = annotation.SetAudioText(audioText) >= 0;
    if (!name.isEmpty()) {
        annotation.SetName(name);
    }
    InsertAt(annotation, position);
    return stored;
}

void AnnotationList::Clear() {
    annotations_.clear();
    current_ = 0;
}

}  // namespace plantrek
