// Core's texts that the dialog and the page show translated are marked where they are written
// with QT_TRANSLATE_NOOP(context, text), so that Qt's lupdate finds them there and each text
// exists once. Outside Qt the mark is nothing but the text, as Qt defines it.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
