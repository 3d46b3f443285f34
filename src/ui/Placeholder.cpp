// Keeps the GUI library non-empty until its first window lands.
namespace tornavel::ui {
int placeholder() {
    return 0;
}
} // namespace tornavel::ui
