"""What the workbook checks share: failures gathered as they are found, reported at the end."""

failures = []


def expect(what, actual, wanted):
    if actual != wanted:
        failures.append(f"{what}: got {actual!r}, wanted {wanted!r}")


def report(summary):
    """Prints every failure, then the summary with the verdict; returns the exit status."""
    for failure in failures:
        print("FAIL", failure)
    print(f"{summary}: {'FAILED' if failures else 'ok'}")
    return 1 if failures else 0
