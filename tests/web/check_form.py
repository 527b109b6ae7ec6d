#!/usr/bin/env python3
"""Uses query.html in headless Chromium through Selenium: its labels and
checks (each bound's pattern against the program's own verdict; a lower
bound above its upper bound refused before anything is sent), the names
list and its hint, a query answered byte for byte with the page that
catalix writes for the same values, that answer's address reopened as the
form with its values, and a refusal page, its labels and its link back.
Screenshots go to SHOT_DIR.  Usage: check_form.py FORM_URL EXPECTED_PAGE SHOT_DIR"""
import json, os, re, sys, urllib.error, urllib.parse, urllib.request
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

# Typed over the form's defaults; check_web.sh made EXPECTED_PAGE from them.
TYPED = {"min_z_abs": "2", "max_z_abs": "3.2", "ion_name": " CIV "}
# Bounds as typed: the pattern must take exactly those the program takes.
SPELLINGS = ["5", " 2.5 ", "\t+3", "-.5", ".5", "5.", "1e5", "1E+5", "1e-05", "007", "1e999", "e5",
             ".", "+", "1e", "1e+", "0x1p3", "inf", "nan", "5A", "1,5", "1 5", "--1", "1.2.3",
             "\u00a02", "\u0662", "", "  "]


def fail(message):
    sys.exit("FAIL: " + message)


def fetch(url):
    try:
        return urllib.request.urlopen(url).read().decode()
    except urllib.error.HTTPError as refusal:
        return refusal.read().decode()


def chromium():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--window-size=1200,1000"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Form:
    """The form in the browser, and what each step needs of it."""

    def __init__(self, driver, form_url, shots):
        self.driver, self.url, self.shots = driver, form_url, shots
        self.cgi = form_url.replace("query.html", "catalix-cgi")

    def field(self, name):
        return self.driver.find_element(By.NAME, name)

    def problem(self, quantity):
        return self.driver.find_element(By.ID, quantity + "_problem").text

    def fields(self):
        return self.driver.find_elements(By.CSS_SELECTOR, "form input[type=text], form select")

    def type_in(self, values):
        for name, value in values:
            self.field(name).clear()
            self.field(name).send_keys(value)

    def submit(self):
        self.driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()

    def shoot(self, name):
        self.driver.save_screenshot(os.path.join(self.shots, name))


def check_labels(form):
    """Every field labelled, every bound a required decimal; the bounds' labels."""
    form.driver.get(form.url)
    labels = {}
    for field in form.fields():
        name = field.get_attribute("name")
        if not form.driver.find_elements(By.CSS_SELECTOR, "label[for=%s]" % name):
            fail("%s has no label" % name)
        if name.startswith(("min_", "max_")):
            quantity = form.driver.find_element(By.ID, name[4:]).text
            labels[name] = quantity + ", " + form.driver.find_element(By.ID, name + "_label").text
            if not (field.get_attribute("required") and field.get_attribute("inputmode") == "decimal"):
                fail("%s is not a required decimal" % name)
    return labels


def check_pattern(form):
    """A bound the program refuses as no decimal number the browser refuses
    too, and no other."""
    driver = form.driver
    good = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(driver.current_url).query)) or {
        f.get_attribute("name"): f.get_attribute("value") for f in form.fields()}
    field = form.field("min_z_abs")
    for spelling in SPELLINGS:
        driver.execute_script("arguments[0].value = arguments[1]", field, spelling)
        browser = driver.execute_script(
            "return arguments[0].validity.patternMismatch || arguments[0].validity.valueMissing", field)
        answer = fetch(form.cgi + "?" + urllib.parse.urlencode(dict(good, min_z_abs=spelling)))
        if browser != ("is not a decimal number" in answer or "is empty" in answer):
            fail("the pattern %s %r, the program does not" % ("refuses" if browser else "takes", spelling))
    print("pattern: %d spellings judged as the program judges them" % len(SPELLINGS))


def check_bad_bounds(form):
    form.driver.get(form.url)
    form.type_in((("min_z_abs", "3.5"), ("max_z_abs", "1.5"), ("min_width", "2x")))
    form.submit()
    if form.driver.current_url != form.url or "above the upper bound" not in form.problem("z_abs") \
            or "not a decimal number" not in form.problem("width"):
        fail("bad bounds were sent or not shown: %s %r %r"
             % (form.driver.current_url, form.problem("z_abs"), form.problem("width")))
    form.shoot("form-refusing.png")
    print("bad bounds refused before sending: %r" % form.problem("z_abs"))


def check_names(form):
    """The names list, and a hint for a name no line carries."""
    driver = form.driver
    names = json.loads(fetch(form.cgi + "?names"))["names"]
    offered = lambda: driver.execute_script(
        "return [...document.querySelectorAll('#ion_names option')].map(o => [o.value, o.label])")
    driver.get(form.url)
    WebDriverWait(driver, 30).until(lambda d: len(offered()) > 1)
    want = [["All", "every line"]] + [[n["name"], "%d line%s" % (n["lines"], "" if n["lines"] == 1 else "s")]
                                     for n in names]
    if offered() != want or ["CIV", "9 lines"] not in want:
        fail("the names offered are %r" % offered())
    form.type_in((("ion_name", "c iv"),))
    form.submit()
    if driver.current_url != form.url or "Press Search again" not in form.problem("ion_name"):
        fail("no hint for 'c iv': %r" % form.problem("ion_name"))
    driver.find_element(By.XPATH, "//td[@id='ion_name_problem']/button").click()
    if form.field("ion_name").get_attribute("value") != "CIV" or form.problem("ion_name"):
        fail("the hint's button gives %r" % form.field("ion_name").get_attribute("value"))
    print("names: %d offered with their lines; 'c iv' hinted as CIV" % len(names))


def check_answer(form, expected):
    """The typed query's answer: catalix's page, its tables and links.
    Returns its address."""
    driver = form.driver
    driver.get(form.url)
    form.type_in(TYPED.items())
    form.shoot("form.png")
    form.submit()
    WebDriverWait(driver, 60).until(lambda d: "Query Results" in d.title)
    answer = driver.current_url
    if "?" not in answer or urllib.request.urlopen(answer).read() != expected:
        fail("the answer at %s is not catalix's page" % answer)
    counted = re.search(r"There are (\d+) QSO spectra", driver.find_element(By.TAG_NAME, "body").text)
    tables = [t for t in driver.find_elements(By.TAG_NAME, "table") if t.find_elements(By.TAG_NAME, "th")]
    if not counted or int(counted.group(1)) != len(tables):
        fail("%d spectrum tables for the count %s" % (len(tables), counted and counted.group(1)))
    rows = [row.find_elements(By.TAG_NAME, "td")[1].text for t in tables
            for row in t.find_elements(By.XPATH, ".//tr[count(td)=8]")]
    if not rows or set(rows) != {"CIV"}:
        fail("line rows name %r" % rows)
    print("answer: %d spectra, %d C IV line rows" % (len(tables), len(rows)))
    links = [a.get_attribute("href") for a in driver.find_elements(By.CSS_SELECTOR, "ul:first-of-type a")]
    if len(links) != 3 or any(urllib.request.urlopen(link).status != 200 for link in links):
        fail("the menu's links %r do not all resolve" % links)
    return answer


def check_reopened(form, answer):
    """The answer's address, as the form's: the form with its values."""
    sent = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(answer).query, keep_blank_values=True))
    form.driver.get(answer.replace("/catalix-cgi?", "/query.html?"))
    shown = {f.get_attribute("name"): f.get_attribute("value") for f in form.fields()}
    if shown != sent or any(sent[name] != value for name, value in TYPED.items()):
        fail("the form reopened with %r for %r" % (shown, sent))
    print("the answer's address reopens the form with its %d values" % len(sent))
    return sent


def check_refusal(form, sent, labels):
    """A refusal: every empty bound under its label, the name kept."""
    driver = form.driver
    driver.get(form.cgi + "?" + urllib.parse.urlencode(dict(sent, **{name: "" for name in labels})))
    refused = [b.text for b in driver.find_elements(By.CSS_SELECTOR, "li b")]
    if refused != list(labels.values()):
        fail("the refusal names %r, the form %r" % (refused, list(labels.values())))
    form.shoot("refusal.png")
    driver.find_element(By.LINK_TEXT, "Back to the query form, with these values").click()
    if form.field("ion_name").get_attribute("value") != TYPED["ion_name"] \
            or form.field("min_z_abs").get_attribute("value") or "lower bound is empty" not in form.problem("z_abs"):
        fail("the link back opens %s" % driver.current_url)
    print("refusal: %d fields under the form's labels; its link back keeps the values" % len(refused))


def main():
    form_url, expected, shots = sys.argv[1], open(sys.argv[2], "rb").read(), sys.argv[3]
    driver = chromium()
    try:
        driver.set_page_load_timeout(60)
        form = Form(driver, form_url, shots)
        labels = check_labels(form)
        check_pattern(form)
        check_bad_bounds(form)
        check_names(form)
        answer = check_answer(form, expected)
        sent = check_reopened(form, answer)
        check_refusal(form, sent, labels)
        print("screenshots: %s" % ", ".join(os.path.join(shots, f) for f in ("form.png", "form-refusing.png", "refusal.png")))
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
