/****************************************************************************
** Meta object code from reading C++ file 'ICapturePipeline.h'
**
** Created by: The Qt Meta Object Compiler version 68 (Qt 6.4.2)
**
** WARNING! All changes made in this file will be lost!
*****************************************************************************/

#include <memory>
#include "../../../../../core/capture/ICapturePipeline.h"
#include <QtCore/qmetatype.h>
#if !defined(Q_MOC_OUTPUT_REVISION)
#error "The header file 'ICapturePipeline.h' doesn't include <QObject>."
#elif Q_MOC_OUTPUT_REVISION != 68
#error "This file was generated using the moc from 6.4.2. It"
#error "cannot be used with the include files from this version of Qt."
#error "(The moc has changed too much.)"
#endif

#ifndef Q_CONSTINIT
#define Q_CONSTINIT
#endif

QT_BEGIN_MOC_NAMESPACE
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
namespace {
struct qt_meta_stringdata_tolvane__ICapturePipeline_t {
    uint offsetsAndSizes[34];
    char stringdata0[26];
    char stringdata1[13];
    char stringdata2[1];
    char stringdata3[38];
    char stringdata4[9];
    char stringdata5[16];
    char stringdata6[21];
    char stringdata7[9];
    char stringdata8[17];
    char stringdata9[21];
    char stringdata10[14];
    char stringdata11[9];
    char stringdata12[19];
    char stringdata13[11];
    char stringdata14[23];
    char stringdata15[4];
    char stringdata16[14];
};
#define QT_MOC_LITERAL(ofs, len) \
    uint(sizeof(qt_meta_stringdata_tolvane__ICapturePipeline_t::offsetsAndSizes) + ofs), len 
Q_CONSTINIT static const qt_meta_stringdata_tolvane__ICapturePipeline_t qt_meta_stringdata_tolvane__ICapturePipeline = {
    {
        QT_MOC_LITERAL(0, 25),  // "tolvane::ICapturePipeline"
        QT_MOC_LITERAL(26, 12),  // "SetParameter"
        QT_MOC_LITERAL(39, 0),  // ""
        QT_MOC_LITERAL(40, 37),  // "std::shared_ptr<tolvane::ClsS..."
        QT_MOC_LITERAL(78, 8),  // "Schedule"
        QT_MOC_LITERAL(87, 15),  // "ArriveWaveData8"
        QT_MOC_LITERAL(103, 20),  // "std::vector<quint8>&"
        QT_MOC_LITERAL(124, 8),  // "WaveData"
        QT_MOC_LITERAL(133, 16),  // "ArriveWaveData16"
        QT_MOC_LITERAL(150, 20),  // "std::vector<qint16>&"
        QT_MOC_LITERAL(171, 13),  // "FinishCapture"
        QT_MOC_LITERAL(185, 8),  // "FilePath"
        QT_MOC_LITERAL(194, 18),  // "FinishRealTimePart"
        QT_MOC_LITERAL(213, 10),  // "WriteError"
        QT_MOC_LITERAL(224, 22),  // "tolvane::NumberedError"
        QT_MOC_LITERAL(247, 3),  // "Err"
        QT_MOC_LITERAL(251, 13)   // "CaptureClosed"
    },
    "tolvane::ICapturePipeline",
    "SetParameter",
    "",
    "std::shared_ptr<tolvane::ClsSchedule>",
    "Schedule",
    "ArriveWaveData8",
    "std::vector<quint8>&",
    "WaveData",
    "ArriveWaveData16",
    "std::vector<qint16>&",
    "FinishCapture",
    "FilePath",
    "FinishRealTimePart",
    "WriteError",
    "tolvane::NumberedError",
    "Err",
    "CaptureClosed"
};
#undef QT_MOC_LITERAL
} // unnamed namespace

Q_CONSTINIT static const uint qt_meta_data_tolvane__ICapturePipeline[] = {

 // content:
      10,       // revision
       0,       // classname
       0,    0, // classinfo
       7,   14, // methods
       0,    0, // properties
       0,    0, // enums/sets
       0,    0, // constructors
       0,       // flags
       7,       // signalCount

 // signals: name, argc, parameters, tag, flags, initial metatype offsets
       1,    1,   56,    2, 0x06,    1 /* Public */,
       5,    1,   59,    2, 0x06,    3 /* Public */,
       8,    1,   62,    2, 0x06,    5 /* Public */,
      10,    1,   65,    2, 0x06,    7 /* Public */,
      12,    1,   68,    2, 0x06,    9 /* Public */,
      13,    1,   71,    2, 0x06,   11 /* Public */,
      16,    0,   74,    2, 0x06,   13 /* Public */,

 // signals: parameters
    QMetaType::Void, 0x80000000 | 3,    4,
    QMetaType::Void, 0x80000000 | 6,    7,
    QMetaType::Void, 0x80000000 | 9,    7,
    QMetaType::Void, QMetaType::QString,   11,
    QMetaType::Void, QMetaType::QString,   11,
    QMetaType::Void, 0x80000000 | 14,   15,
    QMetaType::Void,

       0        // eod
};

Q_CONSTINIT const QMetaObject tolvane::ICapturePipeline::staticMetaObject = { {
    QMetaObject::SuperData::link<QObject::staticMetaObject>(),
    qt_meta_stringdata_tolvane__ICapturePipeline.offsetsAndSizes,
    qt_meta_data_tolvane__ICapturePipeline,
    qt_static_metacall,
    nullptr,
    qt_incomplete_metaTypeArray<qt_meta_stringdata_tolvane__ICapturePipeline_t,
        // Q_OBJECT / Q_GADGET
        QtPrivate::TypeAndForceComplete<ICapturePipeline, std::true_type>,
        // method 'SetParameter'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::shared_ptr<tolvane::ClsSchedule>, std::false_type>,
        // method 'ArriveWaveData8'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::vector<quint8> &, std::false_type>,
        // method 'ArriveWaveData16'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::vector<qint16> &, std::false_type>,
        // method 'FinishCapture'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const QString &, std::false_type>,
        // method 'FinishRealTimePart'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const QString &, std::false_type>,
        // method 'WriteError'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const tolvane::NumberedError &, std::false_type>,
        // method 'CaptureClosed'
        QtPrivate::TypeAndForceComplete<void, std::false_type>
    >,
    nullptr
} };

void tolvane::ICapturePipeline::qt_static_metacall(QObject *_o, QMetaObject::Call _c, int _id, void **_a)
{
    if (_c == QMetaObject::InvokeMetaMethod) {
        auto *_t = static_cast<ICapturePipeline *>(_o);
        (void)_t;
        switch (_id) {
        case 0: _t->SetParameter((*reinterpret_cast< std::add_pointer_t<std::shared_ptr<tolvane::ClsSchedule>>>(_a[1]))); break;
        case 1: _t->ArriveWaveData8((*reinterpret_cast< std::add_pointer_t<std::vector<quint8>&>>(_a[1]))); break;
        case 2: _t->ArriveWaveData16((*reinterpret_cast< std::add_pointer_t<std::vector<qint16>&>>(_a[1]))); break;
        case 3: _t->FinishCapture((*reinterpret_cast< std::add_pointer_t<QString>>(_a[1]))); break;
        case 4: _t->FinishRealTimePart((*reinterpret_cast< std::add_pointer_t<QString>>(_a[1]))); break;
        case 5: _t->WriteError((*reinterpret_cast< std::add_pointer_t<tolvane::NumberedError>>(_a[1]))); break;
        case 6: _t->CaptureClosed(); break;
        default: ;
        }
    } else if (_c == QMetaObject::IndexOfMethod) {
        int *result = reinterpret_cast<int *>(_a[0]);
        {
            using _t = void (ICapturePipeline::*)(std::shared_ptr<tolvane::ClsSchedule> );
            if (_t _q_method = &ICapturePipeline::SetParameter; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 0;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)(std::vector<quint8> & );
            if (_t _q_method = &ICapturePipeline::ArriveWaveData8; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 1;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)(std::vector<qint16> & );
            if (_t _q_method = &ICapturePipeline::ArriveWaveData16; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 2;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)(const QString & );
            if (_t _q_method = &ICapturePipeline::FinishCapture; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 3;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)(const QString & );
            if (_t _q_method = &ICapturePipeline::FinishRealTimePart; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 4;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)(const tolvane::NumberedError & );
            if (_t _q_method = &ICapturePipeline::WriteError; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 5;
                return;
            }
        }
        {
            using _t = void (ICapturePipeline::*)();
            if (_t _q_method = &ICapturePipeline::CaptureClosed; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 6;
                return;
            }
        }
    }
}

const QMetaObject *tolvane::ICapturePipeline::metaObject() const
{
    return QObject::d_ptr->metaObject ? QObject::d_ptr->dynamicMetaObject() : &staticMetaObject;
}

void *tolvane::ICapturePipeline::qt_metacast(const char *_clname)
{
    if (!_clname) return nullptr;
    if (!strcmp(_clname, qt_meta_stringdata_tolvane__ICapturePipeline.stringdata0))
        return static_cast<void*>(this);
    if (!strcmp(_clname, "ClsICapture2Output"))
        return static_cast< ClsICapture2Output*>(this);
    return QObject::qt_metacast(_clname);
}

int tolvane::ICapturePipeline::qt_metacall(QMetaObject::Call _c, int _id, void **_a)
{
    _id = QObject::qt_metacall(_c, _id, _a);
    if (_id < 0)
        return _id;
    if (_c == QMetaObject::InvokeMetaMethod) {
        if (_id < 7)
            qt_static_metacall(this, _c, _id, _a);
        _id -= 7;
    } else if (_c == QMetaObject::RegisterMethodArgumentMetaType) {
        if (_id < 7)
            *reinterpret_cast<QMetaType *>(_a[0]) = QMetaType();
        _id -= 7;
    }
    return _id;
}

// SIGNAL 0
void tolvane::ICapturePipeline::SetParameter(std::shared_ptr<tolvane::ClsSchedule> _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 0, _a);
}

// SIGNAL 1
void tolvane::ICapturePipeline::ArriveWaveData8(std::vector<quint8> & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 1, _a);
}

// SIGNAL 2
void tolvane::ICapturePipeline::ArriveWaveData16(std::vector<qint16> & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 2, _a);
}

// SIGNAL 3
void tolvane::ICapturePipeline::FinishCapture(const QString & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 3, _a);
}

// SIGNAL 4
void tolvane::ICapturePipeline::FinishRealTimePart(const QString & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 4, _a);
}

// SIGNAL 5
void tolvane::ICapturePipeline::WriteError(const tolvane::NumberedError & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 5, _a);
}

// SIGNAL 6
void tolvane::ICapturePipeline::CaptureClosed()
{
    QMetaObject::activate(this, &staticMetaObject, 6, nullptr);
}
QT_WARNING_POP
QT_END_MOC_NAMESPACE
