// Frame18 "矩阵乘法": the current matrix times a saved one; the product
// becomes the current matrix.
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "common/data_file.h"
#include "matrix/jz1.h"
#include "matrix/messages.h"
#include "pages/matrix_page_support.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/data_paths.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle::matrix;
using pages::text;

// Reads the saved matrix `name` for a current store of upper index `upper`;
// on a problem shows its message and returns false.
bool readSavedMatrix(const PageContext& context, const QString& name, std::size_t upper, Store& store) {
    auto say = [&](const char* message) { context.ui.message(context.window, text(message)); };
    const NameProblem problem = checkMatrixName(name.toStdString());
    if (problem == NameProblem::ForbiddenCharacter || problem == NameProblem::TooLong) {
        say(problem == NameProblem::TooLong ? kLongName : kForbiddenName);
        return false;
    }
    if (problem == NameProblem::Empty) {
        say(kMissingMatrix);
        return false;
    }
    // Never more than a file matching the current matrix needs; a pipe in
    // its place is refused instead of waited for.
    const QString path = userDataDirectory() + QLatin1Char('/') + name + QStringLiteral(".kmx");
    const numerelle::DataFileRead file = numerelle::readDataFile(
        QFile::encodeName(path).toStdString(), matrixFileSize(upper), numerelle::OverCap::ReadBeginning);
    if (file.problem != numerelle::DataFileProblem::None) {
        say(file.problem == numerelle::DataFileProblem::NotRegular ? kNotAMatrixFile : kMissingMatrix);
        return false;
    }
    const FileRead read = decodeMatrixFile(
        std::span(reinterpret_cast<const unsigned char*>(file.bytes.data()), file.bytes.size()), upper);
    switch (read.problem) {
        case FileProblem::None:
            store = read.store;
            return true;
        case FileProblem::CountMismatch:
        case FileProblem::NegativeCount:
        case FileProblem::NotSquare:
            say(kWrongElementCount);
            return false;
        case FileProblem::NoCount:
        case FileProblem::Truncated:
        case FileProblem::BadValue:
            say(kCorruptFile);
            return false;
    }
    return false;
}

}  // namespace

QWidget* pages::buildMatrixProductPage(PageContext& context) {
    auto* frame = makePageFrame("Frame18", QStringLiteral("矩阵乘法"));
    auto* label58 = makeLabel("Label58", context.state.matrixName);
    auto* text56 = new QLineEdit;
    text56->setObjectName(QStringLiteral("Text56"));
    auto* command31 = new QPushButton(QStringLiteral("="));
    command31->setObjectName(QStringLiteral("Command31"));
    auto* note = makeLabel("Label57", QStringLiteral("注意：矩阵乘法的结果显示在上面，并且被乘数式上头的矩阵。并且两个"
                                                     "矩阵要有相同数目的元素并且乘数已经储存过才可以进行计算！"));
    note->setWordWrap(true);

    auto* line = new QHBoxLayout;
    line->addWidget(makeLabel("Label59", QStringLiteral("矩阵")));
    line->addWidget(label58);
    line->addWidget(makeLabel("Label60", QStringLiteral("乘以")));
    line->addWidget(makeLabel("Label61", QStringLiteral("矩阵")));
    line->addWidget(text56, 1);
    line->addWidget(command31);
    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(line);
    layout->addWidget(note);

    computeOnEnter(text56, command31);
    context.state.matrixNameChanged = [label58](const QString& name) { label58->setText(name); };

    QObject::connect(command31, &QPushButton::clicked, frame, [context, text56]() mutable {
        PageState& state = context.state;
        const Store left = state.matrixStore;
        Store saved;
        if (!readSavedMatrix(context, text56->text(), left.size() - 1, saved)) return;
        const Matrix a = storeToMatrix(left), b = storeToMatrix(saved);
        auto product = std::make_shared<Product>();
        pages::runJob(
            context, a.order() > 60, QStringLiteral("正在计算矩阵乘法……"),
            [a, b, product](numerelle::WorkControl& control) { *product = multiply(a, b, &control); },
            [context, left, product](bool cancelled) {
                if (cancelled || product->outcome == Outcome::Cancelled) return;
                if (product->outcome != Outcome::Done) {
                    context.ui.message(context.window, text(outcomeMessage(product->outcome)));
                    return;
                }
                // The matrix was changed while the product ran: keep the change.
                if (context.state.matrixStore != left) return;
                context.state.matrixStore = matrixToStore(product->c);
                if (context.state.showMatrixFromCorner) context.state.showMatrixFromCorner();
            });
    });
    return frame;
}
