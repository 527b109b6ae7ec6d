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


def main():
    form_url, expected, shots = sys.argv[1], open(sys.argv[2], "rb").read(), sys.argv[3]
    cgi = form_url.replace("query.html", "catalix-cgi")
    driver = chromium()
    by_name = lambda name: driver.find_element(By.NAME, name)
    problem = lambda quantity: driver.find_element(By.ID, quantity + "_problem").text
    try:
        driver.set_page_load_timeout(60)
        driver.get(form_url)
        fields = driver.find_elements(By.CSS_SELECTOR, "form input[type=text], form select")
        labels = {}
        for field in fields:
            name = field.get_attribute("name")
            if not driver.find_elements(By.CSS_SELECTOR, "label[for=%s]" % name):
                fail("%s has no label" % name)
            if name.startswith(("min_", "max_")):
                quantity = driver.find_element(By.ID, name[4:]).text
                labels[name] = quantity + ", " + driver.find_element(By.ID, name + "_label").text
                if not (field.get_attribute("required") and field.get_attribute("inputmode") == "decimal"):
                    fail("%s is not a required decimal" % name)

        # The pattern against the program: a bound it refuses as no decimal
        # number is one the browser refuses too, and no other.
        good = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(driver.current_url).query)) or {
            f.get_attribute("name"): f.get_attribute("value") for f in fields}
        field = by_name("min_z_abs")
        for spelling in SPELLINGS:
            driver.execute_script("arguments[0].value = arguments[1]", field, spelling)
            browser = driver.execute_script(
                "return arguments[0].validity.patternMismatch || arguments[0].validity.valueMissing", field)
            answer = fetch(cgi + "?" + urllib.parse.urlencode(dict(good, min_z_abs=spelling)))
            if browser != ("is not a decimal number" in answer or "is empty" in answer):
                fail("the pattern %s %r, the program does not" % ("refuses" if browser else "takes", spelling))
        print("pattern: %d spellings judged as the program judges them" % len(SPELLINGS))

        driver.get(form_url)
        for name, value in (("min_z_abs", "3.5"), ("max_z_abs", "1.5"), ("min_width", "2x")):
            by_name(name).clear()
            by_name(name).send_keys(value)
        driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()
        if driver.current_url != form_url or "above the upper bound" not in problem("z_abs") \
                or "not a decimal number" not in problem("width"):
            fail("bad bounds were sent or not shown: %s %r %r" % (driver.current_url, problem("z_abs"), problem("width")))
        driver.save_screenshot(os.path.join(shots, "form-refusing.png"))
        print("bad bounds refused before sending: %r" % problem("z_abs"))

        # The names list, and a hint for a name no line carries.
        names = json.loads(fetch(cgi + "?names"))["names"]
        offered = lambda: driver.execute_script(
            "return [...document.querySelectorAll('#ion_names option')].map(o => [o.value, o.label])")
        driver.get(form_url)
        WebDriverWait(driver, 30).until(lambda d: len(offered()) > 1)
        want = [["All", "every line"]] + [[n["name"], "%d line%s" % (n["lines"], "" if n["lines"] == 1 else "s")]
                                         for n in names]
        if offered() != want or ["CIV", "9 lines"] not in want:
            fail("the names offered are %r" % offered())
        by_name("ion_name").clear()
        by_name("ion_name").send_keys("c iv")
        driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()
        if driver.current_url != form_url or "Press Search again" not in problem("ion_name"):
            fail("no hint for 'c iv': %r" % problem("ion_name"))
        driver.find_element(By.XPATH, "//td[@id='ion_name_problem']/button").click()
        if by_name("ion_name").get_attribute("value") != "CIV" or problem("ion_name"):
            fail("the hint's button gives %r" % by_name("ion_name").get_attribute("value"))
        print("names: %d offered with their lines; 'c iv' hinted as CIV" % len(names))

        driver.get(form_url)
        for name, value in TYPED.items():
            by_name(name).clear()
            by_name(name).send_keys(value)
        driver.save_screenshot(os.path.join(shots, "form.png"))
        driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()
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

        # The answer's address, as the form's: the form with its values.
        sent = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(answer).query, keep_blank_values=True))
        driver.get(answer.replace("/catalix-cgi?", "/query.html?"))
        shown = {f.get_attribute("name"): f.get_attribute("value") for f in
                 driver.find_elements(By.CSS_SELECTOR, "form input[type=text], form select")}
        if shown != sent or any(sent[name] != value for name, value in TYPED.items()):
            fail("the form reopened with %r for %r" % (shown, sent))
        print("the answer's address reopens the form with its %d values" % len(sent))

        # A refusal: every empty bound under its label, the name kept.
        driver.get(cgi + "?" + urllib.parse.urlencode(dict(sent, **{name: "" for name in labels})))
        refused = [b.text for b in driver.find_elements(By.CSS_SELECTOR, "li b")]
        if refused != list(labels.values()):
            fail("the refusal names %r, the form %r" % (refused, list(labels.values())))
        driver.save_screenshot(os.path.join(shots, "refusal.png"))
        driver.find_element(By.LINK_TEXT, "Back to the query form, with these values").click()
        if by_name("ion_name").get_attribute("value") != TYPED["ion_name"] or by_name("min_z_abs").get_attribute("value") \
                or "lower bound is empty" not in problem("z_abs"):
            fail("the link back opens %s" % driver.current_url)
        print("refusal: %d fields under the form's labels; its link back keeps the values" % len(refused))
        print("screenshots: %s" % ", ".join(os.path.join(shots, f) for f in ("form.png", "form-refusing.png", "refusal.png")))
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
