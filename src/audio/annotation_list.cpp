#include "audio/annotation_list.h"
