#include "app/draft_preview.h"

#include <variant>

#include "platform/main_services.h"
#include "platform/qt/text_table_model.h"
#include "rename/draft.h"
#include "rename/preview_commit.h"
#include "rename/regex_operations.h"
#include "text/gbk_text.h"

namespace qm {

DraftPreview::DraftPreview(MainServices& services, TextTableModel& model, QObject* parent)
    : QObject(parent), services_(services), model_(model) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(kQuietMs);
  connect(&quiet_, &QTimer::timeout, this, [this] { Start(); });
  // One draft at a time: a cancelled one ends within a few entries.
  pool_.setMaxThreadCount(1);
  // Any change to the list (a run, reading a folder, closing the preview)
  // drops the draft; so does the button that makes it real.
  connect(&model_, &TextTableModel::TableEdited, this, [this] { Drop(); });
}

DraftPreview::~DraftPreview() {
  if (cancelled_) cancelled_->store(true);
  // The draft reads the window's file system: it ends before the window does.
  pool_.waitForDone();
}

void DraftPreview::InputChanged(Control control) {
  std::optional<OperationId> operation = OperationOfInput(control);
  if (!operation) return;
  operation_ = operation;
  if (*operation == OperationId::RegexReplace) ShowRegexError();
  quiet_.start();
}

void DraftPreview::Drop() {
  // Whatever is under way now describes a list that is gone.
  ++generation_;
  quiet_.stop();
  if (cancelled_) {
    cancelled_->store(true);
    cancelled_.reset();
  }
  if (!model_.HasDraft() && !shown_) return;
  shown_ = false;
  services_.form.SetVisible(Control::透明标签_草稿, false);
  model_.DropDraft();
}

// While the pattern does not compile, the page says why in place of a message box.
void DraftPreview::ShowRegexError() {
  auto compiled = CompileRegexOfForm(services_.form);
  const GbkText* error = std::get_if<GbkText>(&compiled);
  const bool typed = !services_.form.Text(Control::编辑框_正则查找).empty();
  services_.form.SetText(Control::透明标签_正则错误, error && typed ? *error : GbkText());
}

void DraftPreview::Start() {
  if (!operation_) return;
  if (!CanDraft(*operation_, services_.form)) return Drop();
  if (cancelled_) cancelled_->store(true);
  cancelled_ = std::make_shared<std::atomic<bool>>(false);
  const int generation = ++generation_;

  // Copied here, on the window's thread: the draft never touches the window.
  auto request = std::make_shared<DraftRequest>();
  request->operation = *operation_;
  request->form = std::make_unique<MemoryForm>(services_.form);
  const int rows = model_.RowCount();
  request->names.reserve(rows);
  request->previews.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    request->names.push_back(model_.Cell(row, 0));
    request->previews.push_back(model_.Cell(row, 1));
  }
  request->preview_folder = PreviewFolder(services_);

  FileSystem& files = services_.files;
  FileInfoReader* file_info = services_.file_info;
  pool_.start([this, request, cancelled = cancelled_, generation, &files, file_info] {
    std::optional<Draft> draft = MakeDraft(std::move(*request), files, file_info, *cancelled);
    if (cancelled->load()) return;
    QMetaObject::invokeMethod(
        this,
        [this, generation, draft = std::move(draft)]() mutable {
          Show(generation, std::move(draft));
        },
        Qt::QueuedConnection);
  });
}

void DraftPreview::Show(int generation, std::optional<Draft> draft) {
  if (generation != generation_) return;  // a newer change, or the list changed meanwhile
  cancelled_.reset();
  if (!draft) {
    // Input the button would refuse: no draft, and no message.
    Drop();
    return;
  }
  const GbkText count = Gbk("将改名") + ToText(draft->changes) + Gbk("个，其中") +
                        ToText(draft->failures) + Gbk("个预计失败");
  model_.SetDraft(1, std::move(draft->cells), std::move(draft->marks));
  shown_ = true;
  services_.form.SetText(Control::透明标签_草稿, count);
  services_.form.SetVisible(Control::透明标签_草稿, true);
}

}  // namespace qm
