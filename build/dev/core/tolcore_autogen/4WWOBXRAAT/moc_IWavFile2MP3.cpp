/****************************************************************************
** Meta object code from reading C++ file 'IWavFile2MP3.h'
**
** Created by: The Qt Meta Object Compiler version 68 (Qt 6.4.2)
**
** WARNING! All changes made in this file will be lost!
*****************************************************************************/

#include <memory>
#include "../../../../../core/encoder/IWavFile2MP3.h"
#include <QtCore/qmetatype.h>
#if !defined(Q_MOC_OUTPUT_REVISION)
#error "The header file 'IWavFile2MP3.h' doesn't include <QObject>."
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
struct qt_meta_stringdata_tolvane__IWavFile2MP3_t {
    uint offsetsAndSizes[16];
    char stringdata0[22];
    char stringdata1[13];
    char stringdata2[1];
    char stringdata3[12];
    char stringdata4[23];
    char stringdata5[4];
    char stringdata6[15];
    char stringdata7[9];
};
#define QT_MOC_LITERAL(ofs, len) \
    uint(sizeof(qt_meta_stringdata_tolvane__IWavFile2MP3_t::offsetsAndSizes) + ofs), len 
Q_CONSTINIT static const qt_meta_stringdata_tolvane__IWavFile2MP3_t qt_meta_stringdata_tolvane__IWavFile2MP3 = {
    {
        QT_MOC_LITERAL(0, 21),  // "tolvane::IWavFile2MP3"
        QT_MOC_LITERAL(22, 12),  // "FinishEncode"
        QT_MOC_LITERAL(35, 0),  // ""
        QT_MOC_LITERAL(36, 11),  // "EncodeError"
        QT_MOC_LITERAL(48, 22),  // "tolvane::NumberedError"
        QT_MOC_LITERAL(71, 3),  // "Err"
        QT_MOC_LITERAL(75, 14),  // "EncodeProgress"
        QT_MOC_LITERAL(90, 8)   // "fraction"
    },
    "tolvane::IWavFile2MP3",
    "FinishEncode",
    "",
    "EncodeError",
    "tolvane::NumberedError",
    "Err",
    "EncodeProgress",
    "fraction"
};
#undef QT_MOC_LITERAL
} // unnamed namespace

Q_CONSTINIT static const uint qt_meta_data_tolvane__IWavFile2MP3[] = {

 // content:
      10,       // revision
       0,       // classname
       0,    0, // classinfo
       3,   14, // methods
       0,    0, // properties
       0,    0, // enums/sets
       0,    0, // constructors
       0,       // flags
       3,       // signalCount

 // signals: name, argc, parameters, tag, flags, initial metatype offsets
       1,    0,   32,    2, 0x06,    1 /* Public */,
       3,    1,   33,    2, 0x06,    2 /* Public */,
       6,    1,   36,    2, 0x06,    4 /* Public */,

 // signals: parameters
    QMetaType::Void,
    QMetaType::Void, 0x80000000 | 4,    5,
    QMetaType::Void, QMetaType::Double,    7,

       0        // eod
};

Q_CONSTINIT const QMetaObject tolvane::IWavFile2MP3::staticMetaObject = { {
    QMetaObject::SuperData::link<QObject::staticMetaObject>(),
    qt_meta_stringdata_tolvane__IWavFile2MP3.offsetsAndSizes,
    qt_meta_data_tolvane__IWavFile2MP3,
    qt_static_metacall,
    nullptr,
    qt_incomplete_metaTypeArray<qt_meta_stringdata_tolvane__IWavFile2MP3_t,
        // Q_OBJECT / Q_GADGET
        QtPrivate::TypeAndForceComplete<IWavFile2MP3, std::true_type>,
        // method 'FinishEncode'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'EncodeError'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const tolvane::NumberedError &, std::false_type>,
        // method 'EncodeProgress'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<double, std::false_type>
    >,
    nullptr
} };

void tolvane::IWavFile2MP3::qt_static_metacall(QObject *_o, QMetaObject::Call _c, int _id, void **_a)
{
    if (_c == QMetaObject::InvokeMetaMethod) {
        auto *_t = static_cast<IWavFile2MP3 *>(_o);
        (void)_t;
        switch (_id) {
        case 0: _t->FinishEncode(); break;
        case 1: _t->EncodeError((*reinterpret_cast< std::add_pointer_t<tolvane::NumberedError>>(_a[1]))); break;
        case 2: _t->EncodeProgress((*reinterpret_cast< std::add_pointer_t<double>>(_a[1]))); break;
        default: ;
        }
    } else if (_c == QMetaObject::IndexOfMethod) {
        int *result = reinterpret_cast<int *>(_a[0]);
        {
            using _t = void (IWavFile2MP3::*)();
            if (_t _q_method = &IWavFile2MP3::FinishEncode; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 0;
                return;
            }
        }
        {
            using _t = void (IWavFile2MP3::*)(const tolvane::NumberedError & );
            if (_t _q_method = &IWavFile2MP3::EncodeError; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 1;
                return;
            }
        }
        {
            using _t = void (IWavFile2MP3::*)(double );
            if (_t _q_method = &IWavFile2MP3::EncodeProgress; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 2;
                return;
            }
        }
    }
}

const QMetaObject *tolvane::IWavFile2MP3::metaObject() const
{
    return QObject::d_ptr->metaObject ? QObject::d_ptr->dynamicMetaObject() : &staticMetaObject;
}

void *tolvane::IWavFile2MP3::qt_metacast(const char *_clname)
{
    if (!_clname) return nullptr;
    if (!strcmp(_clname, qt_meta_stringdata_tolvane__IWavFile2MP3.stringdata0))
        return static_cast<void*>(this);
    return QObject::qt_metacast(_clname);
}

int tolvane::IWavFile2MP3::qt_metacall(QMetaObject::Call _c, int _id, void **_a)
{
    _id = QObject::qt_metacall(_c, _id, _a);
    if (_id < 0)
        return _id;
    if (_c == QMetaObject::InvokeMetaMethod) {
        if (_id < 3)
            qt_static_metacall(this, _c, _id, _a);
        _id -= 3;
    } else if (_c == QMetaObject::RegisterMethodArgumentMetaType) {
        if (_id < 3)
            *reinterpret_cast<QMetaType *>(_a[0]) = QMetaType();
        _id -= 3;
    }
    return _id;
}

// SIGNAL 0
void tolvane::IWavFile2MP3::FinishEncode()
{
    QMetaObject::activate(this, &staticMetaObject, 0, nullptr);
}

// SIGNAL 1
void tolvane::IWavFile2MP3::EncodeError(const tolvane::NumberedError & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 1, _a);
}

// SIGNAL 2
void tolvane::IWavFile2MP3::EncodeProgress(double _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 2, _a);
}
QT_WARNING_POP
QT_END_MOC_NAMESPACE
