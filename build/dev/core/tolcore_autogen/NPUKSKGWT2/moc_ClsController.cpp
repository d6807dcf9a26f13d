/****************************************************************************
** Meta object code from reading C++ file 'ClsController.h'
**
** Created by: The Qt Meta Object Compiler version 68 (Qt 6.4.2)
**
** WARNING! All changes made in this file will be lost!
*****************************************************************************/

#include <memory>
#include "../../../../../core/controller/ClsController.h"
#include <QtCore/qmetatype.h>
#if !defined(Q_MOC_OUTPUT_REVISION)
#error "The header file 'ClsController.h' doesn't include <QObject>."
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
struct qt_meta_stringdata_tolvane__ClsController_t {
    uint offsetsAndSizes[54];
    char stringdata0[23];
    char stringdata1[16];
    char stringdata2[1];
    char stringdata3[16];
    char stringdata4[7];
    char stringdata5[15];
    char stringdata6[38];
    char stringdata7[9];
    char stringdata8[15];
    char stringdata9[18];
    char stringdata10[21];
    char stringdata11[9];
    char stringdata12[19];
    char stringdata13[21];
    char stringdata14[14];
    char stringdata15[9];
    char stringdata16[6];
    char stringdata17[7];
    char stringdata18[8];
    char stringdata19[23];
    char stringdata20[4];
    char stringdata21[22];
    char stringdata22[9];
    char stringdata23[17];
    char stringdata24[9];
    char stringdata25[10];
    char stringdata26[10];
};
#define QT_MOC_LITERAL(ofs, len) \
    uint(sizeof(qt_meta_stringdata_tolvane__ClsController_t::offsetsAndSizes) + ofs), len 
Q_CONSTINIT static const qt_meta_stringdata_tolvane__ClsController_t qt_meta_stringdata_tolvane__ClsController = {
    {
        QT_MOC_LITERAL(0, 22),  // "tolvane::ClsController"
        QT_MOC_LITERAL(23, 15),  // "OnStatusChanged"
        QT_MOC_LITERAL(39, 0),  // ""
        QT_MOC_LITERAL(40, 15),  // "tolvane::Status"
        QT_MOC_LITERAL(56, 6),  // "Status"
        QT_MOC_LITERAL(63, 14),  // "OnSetParameter"
        QT_MOC_LITERAL(78, 37),  // "std::shared_ptr<tolvane::ClsS..."
        QT_MOC_LITERAL(116, 8),  // "Schedule"
        QT_MOC_LITERAL(125, 14),  // "OnStartCapture"
        QT_MOC_LITERAL(140, 17),  // "OnArriveWaveData8"
        QT_MOC_LITERAL(158, 20),  // "std::vector<quint8>&"
        QT_MOC_LITERAL(179, 8),  // "WaveData"
        QT_MOC_LITERAL(188, 18),  // "OnArriveWaveData16"
        QT_MOC_LITERAL(207, 20),  // "std::vector<qint16>&"
        QT_MOC_LITERAL(228, 13),  // "OnStopCapture"
        QT_MOC_LITERAL(242, 8),  // "OnUnload"
        QT_MOC_LITERAL(251, 5),  // "bool&"
        QT_MOC_LITERAL(257, 6),  // "Cancel"
        QT_MOC_LITERAL(264, 7),  // "OnError"
        QT_MOC_LITERAL(272, 22),  // "tolvane::NumberedError"
        QT_MOC_LITERAL(295, 3),  // "Err"
        QT_MOC_LITERAL(299, 21),  // "OnCaptureFileFinished"
        QT_MOC_LITERAL(321, 8),  // "FilePath"
        QT_MOC_LITERAL(330, 16),  // "OnEncodeProgress"
        QT_MOC_LITERAL(347, 8),  // "Fraction"
        QT_MOC_LITERAL(356, 9),  // "OnTimeSet"
        QT_MOC_LITERAL(366, 9)   // "Succeeded"
    },
    "tolvane::ClsController",
    "OnStatusChanged",
    "",
    "tolvane::Status",
    "Status",
    "OnSetParameter",
    "std::shared_ptr<tolvane::ClsSchedule>",
    "Schedule",
    "OnStartCapture",
    "OnArriveWaveData8",
    "std::vector<quint8>&",
    "WaveData",
    "OnArriveWaveData16",
    "std::vector<qint16>&",
    "OnStopCapture",
    "OnUnload",
    "bool&",
    "Cancel",
    "OnError",
    "tolvane::NumberedError",
    "Err",
    "OnCaptureFileFinished",
    "FilePath",
    "OnEncodeProgress",
    "Fraction",
    "OnTimeSet",
    "Succeeded"
};
#undef QT_MOC_LITERAL
} // unnamed namespace

Q_CONSTINIT static const uint qt_meta_data_tolvane__ClsController[] = {

 // content:
      10,       // revision
       0,       // classname
       0,    0, // classinfo
      11,   14, // methods
       0,    0, // properties
       0,    0, // enums/sets
       0,    0, // constructors
       0,       // flags
      11,       // signalCount

 // signals: name, argc, parameters, tag, flags, initial metatype offsets
       1,    1,   80,    2, 0x06,    1 /* Public */,
       5,    2,   83,    2, 0x06,    3 /* Public */,
       8,    0,   88,    2, 0x06,    6 /* Public */,
       9,    1,   89,    2, 0x06,    7 /* Public */,
      12,    1,   92,    2, 0x06,    9 /* Public */,
      14,    0,   95,    2, 0x06,   11 /* Public */,
      15,    1,   96,    2, 0x06,   12 /* Public */,
      18,    1,   99,    2, 0x06,   14 /* Public */,
      21,    1,  102,    2, 0x06,   16 /* Public */,
      23,    2,  105,    2, 0x06,   18 /* Public */,
      25,    1,  110,    2, 0x06,   21 /* Public */,

 // signals: parameters
    QMetaType::Void, 0x80000000 | 3,    4,
    QMetaType::Void, 0x80000000 | 6, 0x80000000 | 3,    7,    4,
    QMetaType::Void,
    QMetaType::Void, 0x80000000 | 10,   11,
    QMetaType::Void, 0x80000000 | 13,   11,
    QMetaType::Void,
    QMetaType::Void, 0x80000000 | 16,   17,
    QMetaType::Void, 0x80000000 | 19,   20,
    QMetaType::Void, QMetaType::QString,   22,
    QMetaType::Void, QMetaType::QString, QMetaType::Double,   22,   24,
    QMetaType::Void, QMetaType::Bool,   26,

       0        // eod
};

Q_CONSTINIT const QMetaObject tolvane::ClsController::staticMetaObject = { {
    QMetaObject::SuperData::link<QObject::staticMetaObject>(),
    qt_meta_stringdata_tolvane__ClsController.offsetsAndSizes,
    qt_meta_data_tolvane__ClsController,
    qt_static_metacall,
    nullptr,
    qt_incomplete_metaTypeArray<qt_meta_stringdata_tolvane__ClsController_t,
        // Q_OBJECT / Q_GADGET
        QtPrivate::TypeAndForceComplete<ClsController, std::true_type>,
        // method 'OnStatusChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<tolvane::Status, std::false_type>,
        // method 'OnSetParameter'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::shared_ptr<tolvane::ClsSchedule>, std::false_type>,
        QtPrivate::TypeAndForceComplete<tolvane::Status, std::false_type>,
        // method 'OnStartCapture'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'OnArriveWaveData8'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::vector<quint8> &, std::false_type>,
        // method 'OnArriveWaveData16'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<std::vector<qint16> &, std::false_type>,
        // method 'OnStopCapture'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'OnUnload'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<bool &, std::false_type>,
        // method 'OnError'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const tolvane::NumberedError &, std::false_type>,
        // method 'OnCaptureFileFinished'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const QString &, std::false_type>,
        // method 'OnEncodeProgress'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<const QString &, std::false_type>,
        QtPrivate::TypeAndForceComplete<double, std::false_type>,
        // method 'OnTimeSet'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        QtPrivate::TypeAndForceComplete<bool, std::false_type>
    >,
    nullptr
} };

void tolvane::ClsController::qt_static_metacall(QObject *_o, QMetaObject::Call _c, int _id, void **_a)
{
    if (_c == QMetaObject::InvokeMetaMethod) {
        auto *_t = static_cast<ClsController *>(_o);
        (void)_t;
        switch (_id) {
        case 0: _t->OnStatusChanged((*reinterpret_cast< std::add_pointer_t<tolvane::Status>>(_a[1]))); break;
        case 1: _t->OnSetParameter((*reinterpret_cast< std::add_pointer_t<std::shared_ptr<tolvane::ClsSchedule>>>(_a[1])),(*reinterpret_cast< std::add_pointer_t<tolvane::Status>>(_a[2]))); break;
        case 2: _t->OnStartCapture(); break;
        case 3: _t->OnArriveWaveData8((*reinterpret_cast< std::add_pointer_t<std::vector<quint8>&>>(_a[1]))); break;
        case 4: _t->OnArriveWaveData16((*reinterpret_cast< std::add_pointer_t<std::vector<qint16>&>>(_a[1]))); break;
        case 5: _t->OnStopCapture(); break;
        case 6: _t->OnUnload((*reinterpret_cast< std::add_pointer_t<bool&>>(_a[1]))); break;
        case 7: _t->OnError((*reinterpret_cast< std::add_pointer_t<tolvane::NumberedError>>(_a[1]))); break;
        case 8: _t->OnCaptureFileFinished((*reinterpret_cast< std::add_pointer_t<QString>>(_a[1]))); break;
        case 9: _t->OnEncodeProgress((*reinterpret_cast< std::add_pointer_t<QString>>(_a[1])),(*reinterpret_cast< std::add_pointer_t<double>>(_a[2]))); break;
        case 10: _t->OnTimeSet((*reinterpret_cast< std::add_pointer_t<bool>>(_a[1]))); break;
        default: ;
        }
    } else if (_c == QMetaObject::IndexOfMethod) {
        int *result = reinterpret_cast<int *>(_a[0]);
        {
            using _t = void (ClsController::*)(tolvane::Status );
            if (_t _q_method = &ClsController::OnStatusChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 0;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(std::shared_ptr<tolvane::ClsSchedule> , tolvane::Status );
            if (_t _q_method = &ClsController::OnSetParameter; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 1;
                return;
            }
        }
        {
            using _t = void (ClsController::*)();
            if (_t _q_method = &ClsController::OnStartCapture; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 2;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(std::vector<quint8> & );
            if (_t _q_method = &ClsController::OnArriveWaveData8; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 3;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(std::vector<qint16> & );
            if (_t _q_method = &ClsController::OnArriveWaveData16; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 4;
                return;
            }
        }
        {
            using _t = void (ClsController::*)();
            if (_t _q_method = &ClsController::OnStopCapture; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 5;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(bool & );
            if (_t _q_method = &ClsController::OnUnload; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 6;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(const tolvane::NumberedError & );
            if (_t _q_method = &ClsController::OnError; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 7;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(const QString & );
            if (_t _q_method = &ClsController::OnCaptureFileFinished; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 8;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(const QString & , double );
            if (_t _q_method = &ClsController::OnEncodeProgress; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 9;
                return;
            }
        }
        {
            using _t = void (ClsController::*)(bool );
            if (_t _q_method = &ClsController::OnTimeSet; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 10;
                return;
            }
        }
    }
}

const QMetaObject *tolvane::ClsController::metaObject() const
{
    return QObject::d_ptr->metaObject ? QObject::d_ptr->dynamicMetaObject() : &staticMetaObject;
}

void *tolvane::ClsController::qt_metacast(const char *_clname)
{
    if (!_clname) return nullptr;
    if (!strcmp(_clname, qt_meta_stringdata_tolvane__ClsController.stringdata0))
        return static_cast<void*>(this);
    return QObject::qt_metacast(_clname);
}

int tolvane::ClsController::qt_metacall(QMetaObject::Call _c, int _id, void **_a)
{
    _id = QObject::qt_metacall(_c, _id, _a);
    if (_id < 0)
        return _id;
    if (_c == QMetaObject::InvokeMetaMethod) {
        if (_id < 11)
            qt_static_metacall(this, _c, _id, _a);
        _id -= 11;
    } else if (_c == QMetaObject::RegisterMethodArgumentMetaType) {
        if (_id < 11)
            *reinterpret_cast<QMetaType *>(_a[0]) = QMetaType();
        _id -= 11;
    }
    return _id;
}

// SIGNAL 0
void tolvane::ClsController::OnStatusChanged(tolvane::Status _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 0, _a);
}

// SIGNAL 1
void tolvane::ClsController::OnSetParameter(std::shared_ptr<tolvane::ClsSchedule> _t1, tolvane::Status _t2)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))), const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t2))) };
    QMetaObject::activate(this, &staticMetaObject, 1, _a);
}

// SIGNAL 2
void tolvane::ClsController::OnStartCapture()
{
    QMetaObject::activate(this, &staticMetaObject, 2, nullptr);
}

// SIGNAL 3
void tolvane::ClsController::OnArriveWaveData8(std::vector<quint8> & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 3, _a);
}

// SIGNAL 4
void tolvane::ClsController::OnArriveWaveData16(std::vector<qint16> & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 4, _a);
}

// SIGNAL 5
void tolvane::ClsController::OnStopCapture()
{
    QMetaObject::activate(this, &staticMetaObject, 5, nullptr);
}

// SIGNAL 6
void tolvane::ClsController::OnUnload(bool & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 6, _a);
}

// SIGNAL 7
void tolvane::ClsController::OnError(const tolvane::NumberedError & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 7, _a);
}

// SIGNAL 8
void tolvane::ClsController::OnCaptureFileFinished(const QString & _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 8, _a);
}

// SIGNAL 9
void tolvane::ClsController::OnEncodeProgress(const QString & _t1, double _t2)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))), const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t2))) };
    QMetaObject::activate(this, &staticMetaObject, 9, _a);
}

// SIGNAL 10
void tolvane::ClsController::OnTimeSet(bool _t1)
{
    void *_a[] = { nullptr, const_cast<void*>(reinterpret_cast<const void*>(std::addressof(_t1))) };
    QMetaObject::activate(this, &staticMetaObject, 10, _a);
}
QT_WARNING_POP
QT_END_MOC_NAMESPACE
